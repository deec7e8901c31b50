// The main window as the Create's front end: the setup list box, the Span
// check box and password field, the Open dialog and the start program
// choice, message boxes without owner, the status bar and the progress bar.
#ifndef APP_WINDOW_FRONT_H
#define APP_WINDOW_FRONT_H

#include "create_front.h"

CreateFront& WindowFront();

#endif

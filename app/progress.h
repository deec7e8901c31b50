// The progress bar of the main dialog, shared by the zip job and the package
// writers, and the one-message pump that keeps the window alive meanwhile.
#ifndef APP_PROGRESS_H
#define APP_PROGRESS_H

#include <cstdint>

// Range 0 to the low 16 bits of count, step 1; shows the bar.
void ProgressStart(uint32_t count);

// Advances the bar one step, then hands one waiting message on.
void ProgressStep();

// Dispatches at most one waiting message and never waits. A quit request is
// left in the queue for the main loop.
void PumpOneMessage();

// Whether a quit request waits in the queue; it is looked at, not taken.
bool QuitRequested();

#endif

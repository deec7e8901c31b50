// Resource ids, grouped by dialog. Access keys noted beside each dialog.
#ifndef RESOURCES_RESOURCE_H
#define RESOURCES_RESOURCE_H

// Main dialog MAIN: &Remove, &Create, &About, E&xit, &Help (mouse only: the
// main loop does not hand keys to the dialog manager).
#define IDC_SETUP_LABEL 101
#define IDC_SPAN 102
#define IDC_SETUP_LIST 103
#define IDC_PASSWORD_LABEL 104
#define IDC_PASSWORD 105
#define IDC_CREATE 106
#define IDC_ABOUT 107
#define IDC_EXIT 108
#define IDC_PROGRESS 111
#define IDC_REMOVE 112
#define IDC_HELP_BUTTON 113

// About box ABOUT: &System Info; Enter, Esc and the close box close it.
#define IDC_ABOUT_ICON 101
#define IDC_SYSTEM_INFO 102
#define IDC_ABOUT_NAME 103
#define IDC_ABOUT_VERSION 104

// Status bar, created at run time along the main dialog's bottom edge.
#define IDC_STATUS_BAR 200

// Button help texts in the string table share their buttons' ids.
#define IDS_CREATE_HINT IDC_CREATE
#define IDS_ABOUT_HINT IDC_ABOUT
#define IDS_EXIT_HINT IDC_EXIT

// Installation executable dialog EXES: &Select executable... (no Cancel: the
// button is the only way out).
#define IDC_EXE_LIST 101
#define IDC_EXE_SELECT 102

#endif

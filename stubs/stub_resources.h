// Resource ids of the inner stub: its password dialog.
#ifndef STUBS_STUB_RESOURCES_H
#define STUBS_STUB_RESOURCES_H

#define IDC_PASSWORD_TEXT 101

#endif

// Reads a dialog template (the classic DLGTEMPLATE layout) from this
// module's resources, so tests can check ids, styles and positions exactly
// as compiled, before controls adjust their own styles at run time.
#ifndef TESTS_SUPPORT_DIALOG_TEMPLATE_H
#define TESTS_SUPPORT_DIALOG_TEMPLATE_H

#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;
    std::string className;  // predefined classes by name: "button", "static", ...
    std::string text;
};

struct DialogTemplate {
    bool found = false;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    WORD fontSize = 0;
    std::string fontName;
    std::vector<TemplateItem> items;
};

DialogTemplate LoadDialogTemplate(const char* name);

// Expects a loaded template to equal the expected one field by field, each
// control's differences traced by its id.
void ExpectSameTemplate(const DialogTemplate& actual, const DialogTemplate& expected);

#endif

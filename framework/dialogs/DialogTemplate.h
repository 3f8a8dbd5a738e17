#pragma once
// Dialog templates: the text form of a dialog resource (the resource-script syntax
// for a dialog: its frame statements, then one statement per control), parsed into
// the description the dialog builds its window from.

#include <string>
#include <string_view>
#include <vector>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::framework {

struct DialogItemTemplate {
    std::string className;  // "Button", "Edit", "Static", "msctls_progress32", "msctls_updown32"
    std::string text;
    int imageId = 0;        // a number in place of the text: the bitmap of an image static
    int id = -1;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT units{};           // left, top, right, bottom in dialog units
};

struct DialogTemplate {
    RECT units{};
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string caption;
    int pointSize = 8;
    std::string faceName = "MS Sans Serif";
    std::vector<DialogItemTemplate> items;
};

// false with a message naming the line when the text is not a dialog template.
bool ParseDialogTemplate(std::string_view text, DialogTemplate& dialog, std::string& error);

// The template resource with this number, found through the resource chain.
bool LoadDialogTemplate(UINT nIDTemplate, DialogTemplate& dialog, std::string& error);

}  // namespace zelm::framework

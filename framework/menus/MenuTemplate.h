#pragma once
// Menu templates: the text form of a menu resource, in the resource-script syntax for a
// menu, parsed into a menu:
//
//   MENU
//   BEGIN
//       POPUP "&File"
//       BEGIN
//           MENUITEM "&Open", 100
//           MENUITEM SEPARATOR
//           MENUITEM "E&xit", 101, GRAYED
//       END
//   END
//
// Item options: GRAYED, INACTIVE, CHECKED. In texts, "" is a quotation mark and \t a tab.

#include <memory>
#include <string>
#include <string_view>

#include "framework/menus/MenuTable.h"

namespace zelm::framework {

// The menu, or null with a message naming the line when the text is not a menu template.
std::unique_ptr<Menu> ParseMenuTemplate(std::string_view text, std::string& error);

}  // namespace zelm::framework

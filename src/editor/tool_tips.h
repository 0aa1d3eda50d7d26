// The toolbar's tooltips: each button's menu caption as plain text.
#pragma once

#include <string>

namespace plotwell {

// The caption without its mnemonic '&' and without a trailing "..."; an entry of a submenu is named with
// the submenu ("New Line"). Buttons without a menu entry have captions of their own here.
std::string tool_tip(int command);

}  // namespace plotwell

// Keyboard input as the editor sees it: a few named keys, letters, and the Ctrl modifier.
#pragma once

namespace plotwell {

enum class Key { Left, Right, Up, Down, PageUp, PageDown, Delete, Escape, Letter, Other };

struct KeyPress {
    Key key = Key::Other;
    char letter = 0;  // upper case, for Key::Letter
    bool ctrl = false;
    bool shift = false;
};

}  // namespace plotwell

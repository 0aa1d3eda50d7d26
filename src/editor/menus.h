// The main window's menu, accelerators, toolbar and context menus as data, so that the toolkit layer
// builds them and the tests read them.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "editor/input.h"
#include "platform/host.h"

namespace plotwell {

struct MenuEntry {
    const char* menu;     // top-level caption, e.g. "&File"
    const char* submenu;  // e.g. "&Import", or nullptr
    const char* caption;
    int command;
    const char* key;          // the accelerator shown after the caption, or nullptr
    bool removed_at_startup;  // in the menu resource, taken out before the window is shown
};
// Every entry of the menu resource, in menu order.
std::span<const MenuEntry> menu_entries();
// The entries the user sees: the resource without the two removed at start-up.
std::vector<MenuEntry> startup_menu();

struct Accelerator {
    bool virtual_key;  // false: a control character
    Key key;
    char letter;  // for Key::Letter
    bool ctrl;
    int command;
    bool shift = false;  // true: only with Shift held; false: with or without
};
std::span<const Accelerator> accelerator_table();
// The command of a key press, or none. Enter is not an accelerator.
std::optional<int> find_accelerator(const KeyPress& press);

enum class ToolButtonKind { Push, GroupA, GroupB, Separator };
struct ToolButton {
    int image;  // index into the 11 images of 16 x 16 pixels; -1 for a separator
    int command;
    ToolButtonKind kind;
    bool initially_pressed;
};
inline constexpr int kToolbarImageCount = 11;
std::span<const ToolButton> toolbar_buttons();
// Releases the drawing and rectangle buttons, then presses the button of the mode.
void set_tool_buttons(Host& host, int mode);

enum ContextMenuId : int {
    kMenuPointVertex = 0,
    kMenuLineVertex,
    kMenuPolygonVertex,
    kMenuSegment,
    kMenuLineNothingHot,
    kMenuBitmapLockedVisible,
    kMenuBitmapLockedHidden,
    kMenuBitmapUnlockedVisible,
    kMenuBitmapUnlockedHidden,
    kMenuTwoObjects,
    kContextMenuCount
};
struct ContextMenuEntry {
    const char* caption;
    int command;
};
std::span<const ContextMenuEntry> context_menu_entries(int menu);

}  // namespace plotwell

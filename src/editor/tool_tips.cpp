#include "editor/tool_tips.h"

#include "editor/command_ids.h"
#include "editor/menus.h"

namespace plotwell {

namespace {

std::string plain(const char* caption) {
    std::string out;
    for (const char* c = caption; *c; ++c)
        if (*c != '&') out += *c;
    if (out.size() >= 3 && out.compare(out.size() - 3, 3, "...") == 0) out.resize(out.size() - 3);
    return out;
}

struct OwnCaption {
    int command;
    const char* caption;
};
constexpr OwnCaption kOwnCaptions[] = {
    {cmd::kSelectTool, "Select"},
    {cmd::kRectangleTool, "Select Rectangle"},
    {cmd::kShowAllLayers, "Show All Layers"},
    {cmd::kCurrentLayerOnly, "Current Layer Only"},
};

}  // namespace

std::string tool_tip(int command) {
    for (const MenuEntry& e : menu_entries()) {
        if (e.command != command || e.removed_at_startup) continue;
        return e.submenu ? plain(e.submenu) + " " + plain(e.caption) : plain(e.caption);
    }
    for (const OwnCaption& c : kOwnCaptions)
        if (c.command == command) return c.caption;
    return "";
}

}  // namespace plotwell

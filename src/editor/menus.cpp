#include "editor/menus.h"

#include <array>

#include "editor/command_ids.h"
#include "editor/editor_state.h"

namespace plotwell {

namespace {

constexpr MenuEntry kMenu[] = {
    {"&File", nullptr, "&New...", cmd::kNew, "Ctrl+N", false},
    {"&File", nullptr, "&Open...", cmd::kOpen, "Ctrl+O", false},
    {"&File", nullptr, "&Save", cmd::kSave, "Ctrl+S", false},
    {"&File", nullptr, "Save &As...", cmd::kSaveAs, "Ctrl+Shift+S", false},
    {"&File", nullptr, "&Close", cmd::kClose, nullptr, false},
    {"&File", nullptr, "Proper&ties...", cmd::kProjectProperties, nullptr, false},
    {"&File", nullptr, "Set &Geo. Info...", cmd::kGeoInfo, nullptr, false},
    {"&File", nullptr, "P&ublisher settings...", cmd::kPublisherSettings, nullptr, false},
    {"&File", "&Export", "to &Trekpad Plus/Max...", cmd::kExport, nullptr, false},
    {"&File", "&Import", "from &ShapeFile...", cmd::kImportShapefile, nullptr, false},
    {"&File", "&Import", "from other &vector source...", cmd::kImportVectorSource, nullptr, false},
    {"&File", "&Import", "from &Plotwell project...", cmd::kImportProject, nullptr, false},
    {"&File", "&Import", "from &Trekpad map...", cmd::kImportDatabase, nullptr, false},
    {"&File", nullptr, "T&ranslate coordinates...", cmd::kTranslateCoordinates, nullptr, true},
    {"&File", nullptr, "E&xit", cmd::kExit, nullptr, false},
    {"&Edit", nullptr, "&Undo", cmd::kUndoChange, "Ctrl+Z", false},
    {"&Edit", nullptr, "&Redo", cmd::kRedo, "Ctrl+Y", false},
    {"&View", nullptr, "Zoom &In", cmd::kZoomIn, "+", false},
    {"&View", nullptr, "Zoom &Out", cmd::kZoomOut, "-", false},
    {"&View", nullptr, "Zoom to &Extent", cmd::kZoomToExtent, nullptr, false},
    {"&View", nullptr, "Zoom to &Selection", cmd::kZoomToSelection, nullptr, false},
    {"&View", nullptr, "&Layer Panel", cmd::kLayerPanel, nullptr, false},
    {"&View", nullptr, "Show &Names", cmd::kShowNames, nullptr, false},
    {"&View", nullptr, "&Fill Polygons", cmd::kFillPolygons, nullptr, false},
    {"&View", nullptr, "&Preview Map Database...", cmd::kPreviewDatabase, nullptr, false},
    {"&Layer", nullptr, "&Up", cmd::kLayerUp, "PgUp", false},
    {"&Layer", nullptr, "&Down", cmd::kLayerDown, "PgDn", false},
    {"&Layer", nullptr, "&Edit Layers...", cmd::kEditLayers, nullptr, false},
    {"&Layer", nullptr, "Background &Bitmaps...", cmd::kBackgroundBitmaps, nullptr, false},
    {"&Object", "&New", "Poin&t", cmd::kNewPoint, "Ctrl+T", false},
    {"&Object", "&New", "&Line", cmd::kNewLine, "Ctrl+L", false},
    {"&Object", "&New", "&Polygon", cmd::kNewPolygon, "Ctrl+P", false},
    {"&Object", nullptr, "&Complete", cmd::kComplete, "Enter", false},
    {"&Object", nullptr, "Delete...", cmd::kDelete, "Del", false},
    {"&Object", nullptr, "&Properties...", cmd::kProperties, "Enter", false},
    {"&Object", nullptr, "Select &All", cmd::kSelectAll, nullptr, false},
    {"&Object", nullptr, "Select by &Type...", cmd::kSelectByType, nullptr, true},
    {"&Object", nullptr, "C&ut", cmd::kCut, "Ctrl+X", false},
    {"&Object", nullptr, "C&opy", cmd::kCopy, "Ctrl+C", false},
    {"&Object", nullptr, "&Paste", cmd::kPaste, "Ctrl+V", false},
    {"&Object", nullptr, "&Undo", cmd::kUndo, "Ctrl+Z", false},
    {"&Help", nullptr, "&About...", cmd::kAbout, nullptr, false},
};

constexpr Accelerator kAccelerators[] = {
    {true, Key::Letter, 'C', true, cmd::kCopy},
    {true, Key::Letter, 'V', true, cmd::kPaste},
    {true, Key::Delete, 0, false, cmd::kDelete},
    {true, Key::PageDown, 0, false, cmd::kLayerDown},
    {true, Key::PageUp, 0, false, cmd::kLayerUp},
    {true, Key::Letter, 'X', true, cmd::kCut},
    {false, Key::Letter, 'L', true, cmd::kNewLine},
    {false, Key::Letter, 'N', true, cmd::kNew},
    {false, Key::Letter, 'O', true, cmd::kOpen},
    {false, Key::Letter, 'P', true, cmd::kNewPolygon},
    {false, Key::Letter, 'S', true, cmd::kSaveAs, true},  // ahead of Ctrl+S, which ignores Shift
    {false, Key::Letter, 'S', true, cmd::kSave},
    {false, Key::Letter, 'T', true, cmd::kNewPoint},
    {false, Key::Letter, 'Z', true, cmd::kRedo, true},  // ahead of Ctrl+Z
    {false, Key::Letter, 'Z', true, cmd::kUndo},
    {false, Key::Letter, 'Y', true, cmd::kRedo},
};

constexpr ToolButton kToolbar[] = {
    {0, cmd::kLayerUp, ToolButtonKind::Push, false},
    {1, cmd::kLayerDown, ToolButtonKind::Push, false},
    {-1, 0, ToolButtonKind::Separator, false},
    {2, cmd::kSelectTool, ToolButtonKind::GroupA, true},
    {8, cmd::kRectangleTool, ToolButtonKind::GroupA, false},
    {3, cmd::kNewLine, ToolButtonKind::GroupA, false},
    {4, cmd::kNewPolygon, ToolButtonKind::GroupA, false},
    {5, cmd::kNewPoint, ToolButtonKind::GroupA, false},
    {-1, 0, ToolButtonKind::Separator, false},
    {6, cmd::kZoomIn, ToolButtonKind::Push, false},
    {7, cmd::kZoomOut, ToolButtonKind::Push, false},
    {-1, 0, ToolButtonKind::Separator, false},
    {9, cmd::kShowAllLayers, ToolButtonKind::GroupB, true},
    {10, cmd::kCurrentLayerOnly, ToolButtonKind::GroupB, false},
};

constexpr ContextMenuEntry kPointVertex[] = {{"Delete Point", cmd::kDeletePoint}};
constexpr ContextMenuEntry kLineVertex[] = {{"Delete Point", cmd::kDeletePoint},
                                            {"Split Line Here", cmd::kSplitLineHere}};
constexpr ContextMenuEntry kPolygonVertex[] = {{"Delete Point", cmd::kDeletePoint},
                                               {"Mark Split Point", cmd::kMarkSplitPoint},
                                               {"Split Polygon Here", cmd::kSplitPolygonHere}};
constexpr ContextMenuEntry kSegment[] = {{"Insert Point", cmd::kInsertPoint}};
constexpr ContextMenuEntry kLineNothingHot[] = {{"Add Point", cmd::kAddPoint}};
constexpr ContextMenuEntry kLockedVisible[] = {{"Hide", cmd::kHideBitmap},
                                               {"Unlock Position", cmd::kUnlockPosition}};
constexpr ContextMenuEntry kLockedHidden[] = {{"Show", cmd::kShowBitmap},
                                              {"Unlock Position", cmd::kUnlockPosition}};
constexpr ContextMenuEntry kUnlockedVisible[] = {{"Hide", cmd::kHideBitmap},
                                                 {"Lock Position", cmd::kLockPosition}};
constexpr ContextMenuEntry kUnlockedHidden[] = {{"Show", cmd::kShowBitmap},
                                                {"Lock Position", cmd::kLockPosition}};
constexpr ContextMenuEntry kTwoObjects[] = {{"Join Lines", cmd::kJoinLines}};

}  // namespace

std::span<const MenuEntry> menu_entries() {
    return kMenu;
}

std::vector<MenuEntry> startup_menu() {
    std::vector<MenuEntry> out;
    for (const MenuEntry& e : kMenu)
        if (!e.removed_at_startup) out.push_back(e);
    return out;
}

std::span<const Accelerator> accelerator_table() {
    return kAccelerators;
}

std::optional<int> find_accelerator(const KeyPress& press) {
    for (const Accelerator& a : kAccelerators) {
        if (a.key != press.key || a.ctrl != press.ctrl || (a.shift && !press.shift)) continue;
        if (a.key == Key::Letter && a.letter != press.letter) continue;
        return a.command;
    }
    return std::nullopt;
}

std::span<const ToolButton> toolbar_buttons() {
    return kToolbar;
}

void set_tool_buttons(Host& host, int mode) {
    for (int command : {cmd::kNewPoint, cmd::kNewLine, cmd::kNewPolygon, cmd::kRectangleTool})
        host.set_tool_button(command, false);
    switch (mode) {
        case kToolSelect:
            host.set_tool_button(cmd::kSelectTool, true);
            break;
        case kToolPoint:
            host.set_tool_button(cmd::kNewPoint, true);
            break;
        case kToolLine:
            host.set_tool_button(cmd::kNewLine, true);
            break;
        case kToolPolygon:
            host.set_tool_button(cmd::kNewPolygon, true);
            break;
        case kToolRectangle:
            host.set_tool_button(cmd::kRectangleTool, true);
            break;
        default:
            break;
    }
}

std::span<const ContextMenuEntry> context_menu_entries(int menu) {
    switch (menu) {
        case kMenuPointVertex:
            return kPointVertex;
        case kMenuLineVertex:
            return kLineVertex;
        case kMenuPolygonVertex:
            return kPolygonVertex;
        case kMenuSegment:
            return kSegment;
        case kMenuLineNothingHot:
            return kLineNothingHot;
        case kMenuBitmapLockedVisible:
            return kLockedVisible;
        case kMenuBitmapLockedHidden:
            return kLockedHidden;
        case kMenuBitmapUnlockedVisible:
            return kUnlockedVisible;
        case kMenuBitmapUnlockedHidden:
            return kUnlockedHidden;
        case kMenuTwoObjects:
            return kTwoObjects;
        default:
            return {};
    }
}

}  // namespace plotwell

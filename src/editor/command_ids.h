// Command numbers of the menu, the accelerators, the toolbar and the context menus.
#pragma once

namespace plotwell::cmd {

inline constexpr int kSelectTool = 102;
inline constexpr int kNewPoint = 103;
inline constexpr int kNewLine = 104;
inline constexpr int kNewPolygon = 105;
inline constexpr int kLoadNamedProject = 110;  // posted at start-up for a project on the command line
inline constexpr int kInsertPoint = 111;
inline constexpr int kAddPoint = 112;
inline constexpr int kMarkSplitPoint = 113;
inline constexpr int kSplitPolygonHere = 114;
inline constexpr int kLockPosition = 115;
inline constexpr int kUnlockPosition = 116;
inline constexpr int kZoomIn = 117;
inline constexpr int kZoomOut = 118;
inline constexpr int kSplitLineHere = 119;
inline constexpr int kShowBitmap = 120;
inline constexpr int kHideBitmap = 121;
inline constexpr int kRectangleTool = 122;
inline constexpr int kShowAllLayers = 123;
inline constexpr int kCurrentLayerOnly = 124;
inline constexpr int kJoinLines = 125;
inline constexpr int kDeletePoint = 1200;

inline constexpr int kProjectProperties = 40001;
inline constexpr int kDelete = 40002;
inline constexpr int kProperties = 40003;
inline constexpr int kOpen = 40009;
inline constexpr int kClose = 40010;
inline constexpr int kExit = 40013;
inline constexpr int kAbout = 40014;
inline constexpr int kLayerUp = 40015;
inline constexpr int kLayerDown = 40016;
inline constexpr int kEditLayers = 40017;
inline constexpr int kSave = 40018;
inline constexpr int kNew = 40020;
inline constexpr int kComplete = 40021;
inline constexpr int kUndo = 40022;  // Ctrl+Z: the last placed point while drawing, else Undo
inline constexpr int kPublisherSettings = 40024;
inline constexpr int kExport = 40025;
inline constexpr int kImportShapefile = 40026;
inline constexpr int kImportVectorSource = 40130;
inline constexpr int kGeoInfo = 40027;
inline constexpr int kCut = 40028;
inline constexpr int kCopy = 40029;
inline constexpr int kPaste = 40030;
inline constexpr int kImportTrekpadMap = 40031;  // no action; the menu entry runs kImportDatabase
inline constexpr int kBackgroundBitmaps = 40032;
inline constexpr int kSelectAll = 40038;
inline constexpr int kSelectByType = 40039;
inline constexpr int kImportProject = 40040;
inline constexpr int kUndoChange = 40050;
inline constexpr int kRedo = 40051;
inline constexpr int kImportDatabase = 40110;  // File > Import > "from &Trekpad map..."
inline constexpr int kTranslateCoordinates = 40041;  // no action; removed from the menu at start-up
inline constexpr int kSaveAs = 40080;
inline constexpr int kRecentProject = 40081;  // 40081..40088: the File menu's recent projects, newest first
inline constexpr int kPreviewDatabase = 40100;

// The View menu.
inline constexpr int kZoomToExtent = 40060;
inline constexpr int kZoomToSelection = 40061;
inline constexpr int kLayerPanel = 40062;  // shows or hides the layer panel; the window's own
inline constexpr int kShowNames = 40063;
inline constexpr int kFillPolygons = 40064;

}  // namespace plotwell::cmd

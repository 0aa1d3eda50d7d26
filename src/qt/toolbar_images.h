// The toolbar's 11 images of 16 x 16 pixels, drawn in code, and the program's other drawn pictures.
#pragma once

#include <QIcon>
#include <QImage>
#include <vector>

namespace plotwell::qt {

inline constexpr int kToolbarImageSize = 16;

// Image `index` of the toolbar strip (0..10): layer up, layer down, select, line, polygon, point,
// zoom in, zoom out, rectangle, all layers, current layer only. Out of range: an empty image.
QImage toolbar_image(int index);

// The program icon: a folded map with a road and a river.
QIcon program_icon();

// The 22 images of the icon panel, drawn once at start-up.
inline constexpr int kIconPanelImageCount = 22;
std::vector<QImage> icon_panel_images();

}  // namespace plotwell::qt

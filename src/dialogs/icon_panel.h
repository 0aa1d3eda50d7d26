// The icon panel of "Simple Point Object": 22 point icons in two rows of eleven; a click picks one.
#pragma once

#include <array>
#include <cstdint>

#include "platform/canvas.h"
#include "platform/image.h"

namespace plotwell {

inline constexpr int kIconPanelWidth = 154;
inline constexpr int kIconPanelHeight = 40;
inline constexpr int kIconPanelColumns = 11;
inline constexpr int kIconCellWidth = 14;
inline constexpr int kIconCellHeight = 20;
inline constexpr int kIconPanelIcons = 22;

// The 8 x 8 monochrome icon n (0..21): one byte per row, top row first, leftmost pixel in the high
// bit; a 1 bit is white.
const std::array<uint8_t, 8>& icon_panel_rows(int n);
const Image& icon_panel_image(int n);

struct IconPanel {
    // The selected icon; a label or population code carried over (22 or more) frames no cell.
    int selection = 0;

    // A left button press at panel pixel (x, y); true when the selection changed and the panel must
    // be repainted.
    bool click(int x, int y);
    void paint(Canvas& canvas) const;
};

}  // namespace plotwell

// The colours the map view draws with: the six program pens and brushes and the system's stock ones.
#pragma once

#include "platform/canvas.h"

namespace plotwell::style {

inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kGreen{154, 217, 91};
inline constexpr Color kLightBlue{115, 177, 230};
inline constexpr Color kMagenta{255, 0, 255};
inline constexpr Color kYellow{255, 255, 0};
inline constexpr Color kGrey{128, 128, 128};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kLightGrey{192, 192, 192};
inline constexpr Color kDarkGrey{64, 64, 64};  // the window background around the sheet

inline constexpr Brush brush(Color c) {
    return Brush{c, false};
}
inline constexpr Brush kHollowBrush{Color{}, true};

}  // namespace plotwell::style

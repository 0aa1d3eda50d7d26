// Zooming about a point of the map area and fitting a map rectangle into it.
#pragma once

#include "editor/view_state.h"
#include "model/records.h"

namespace plotwell {

// Zooms in (doubling) or out (halving) so that the map point under `anchor` (client pixels) stays under
// it, as far as whole map units allow.
void zoom_about(ViewState& view, const Project& project, ScreenPoint anchor, bool in);

// Centres the view on the rectangle (edges included) and picks the largest power-of-two zoom, at most
// kMaxFitZoom, at which it fits the map area; a rectangle without extent keeps the zoom.
inline constexpr float kMaxFitZoom = 64.0f;
void fit_view_to(ViewState& view, const Project& project, const Rect& rect);

}  // namespace plotwell

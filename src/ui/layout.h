// Where the main window's parts go. Places are design values at 120 pixels per inch, scaled
// to the monitor's resolution when the window is made; the resize rule then works in real
// pixels.
#pragma once

#include <array>

#include <windows.h>

#include "model/filter_kind.h"
#include "model/report_view.h"
#include "ui/resource_ids.h"

namespace mivalto::ui {

inline constexpr int kDesignDpi = 120;

// A design-unit length or place turned into pixels at one resolution.
struct DpiScale {
  UINT dpi = kDesignDpi;
  int operator()(int design) const { return MulDiv(design, static_cast<int>(dpi), kDesignDpi); }
};

struct DesignRect {
  int left, top, width, height;
};

RECT ScaledRect(const DesignRect& place, DpiScale scale);

inline constexpr DesignRect kWindowPlace{192, 114, 871, 613};  // outer rectangle
inline constexpr int kPanel1Height = 37;
inline constexpr DesignRect kLabel1Place{20, 10, 800, 22};
inline constexpr DesignRect kMemo1Place{10, 95, 826, 444};
inline constexpr DesignRect kAboutPanelPlace{0, 0, 398, 555};

// The colour legend: one filled rectangle and its label per kind of filter, in the colours
// of the report's filter lines. Like the framework's labels, a label is as wide as its
// caption: only its top-left corner and height are design values.
struct LegendEntry {
  DesignRect shape;
  FilterKind kind;  // gives the colour
  POINT label_at;
  UINT text_id;
};
inline constexpr int kLegendLabelHeight = 18;
inline constexpr std::array<LegendEntry, 4> kLegend{{
    {{384, 49, 25, 13}, FilterKind::kDirectShow, {423, 49}, IDS_LEGEND_DIRECTSHOW},
    {{384, 71, 25, 13}, FilterKind::kDmo, {423, 69}, IDS_LEGEND_DMO},
    {{502, 52, 25, 12}, FilterKind::kPnp, {532, 49}, IDS_LEGEND_PNP},
    {{502, 71, 25, 13}, FilterKind::kAcm, {532, 69}, IDS_LEGEND_ACM},
}};

// The resize rule, in pixels: the view keeps its left and top edges and ends 20 pixels short
// of the client area's right and bottom sides; the quit and about buttons sit 112 and 216
// pixels left of the window's outer right edge.
struct ResizedPlaces {
  int memo_width;
  int memo_height;
  int close_left;
  int apropos_left;
};
ResizedPlaces FormResizePlaces(SIZE client, int outer_width, int memo_top);

}  // namespace mivalto::ui

#include "ui/layout.h"

#include <algorithm>

namespace mivalto::ui {

RECT ScaledRect(const DesignRect& place, DpiScale scale) {
  const int left = scale(place.left);
  const int top = scale(place.top);
  return {left, top, left + scale(place.width), top + scale(place.height)};
}

ResizedPlaces FormResizePlaces(SIZE client, int outer_width, int memo_top) {
  // A window shrunk below the margins gets an empty view, never a negative size.
  return {
      .memo_width = std::max(0, static_cast<int>(client.cx) - 20),
      .memo_height = std::max(0, static_cast<int>(client.cy) - memo_top - 20),
      .close_left = outer_width - 112,
      .apropos_left = outer_width - 216,
  };
}

}  // namespace mivalto::ui

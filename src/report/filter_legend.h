// The colours of the kinds of filter, as the window's legend shows them (black DirectShow,
// green DMO, purple Plug-and-Play device, blue ACM wrapper and AVI compressor): the graph's
// picture colours its nodes with them and the HTML page shows the legend.
#pragma once

#include <string_view>

#include "base/program_texts.h"
#include "model/graph_model.h"
#include "model/report_view.h"

namespace mivalto {

struct LegendEntry {
  Color color;
  std::string_view label;
};

// In the window's order.
inline constexpr LegendEntry kFilterLegend[] = {
    {kBlack, texts::kLegendDirectShow},
    {kGreen, texts::kLegendDmo},
    {kPurple, texts::kLegendPnp},
    {kBlue, texts::kLegendAcmAvi},
};

constexpr Color FilterKindColor(FilterKind kind) {
  switch (kind) {
    case FilterKind::kDmo:
      return kGreen;
    case FilterKind::kPnp:
      return kPurple;
    case FilterKind::kAcm:
    case FilterKind::kAvi:
      return kBlue;
    case FilterKind::kDirectShow:
      break;
  }
  return kBlack;
}

}  // namespace mivalto

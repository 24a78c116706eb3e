// The legend of the filter kinds' colours, as the window shows it (black DirectShow, green DMO,
// purple Plug-and-Play device, blue ACM wrapper and AVI compressor), for the HTML page; each
// kind's colour is FilterKindColor (model/graph_model.h).
#pragma once

#include <string_view>

#include "base/program_texts.h"
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

}  // namespace mivalto

// The small report every writer test writes: each colour, bold and plain, an empty line,
// non-ASCII text inside and beyond the BMP, the characters the formats escape, and the
// control characters a hostile graph could carry (ESC, BEL, the C1 CSI, a TAB to keep).
#pragma once

#include "model/report_view.h"
#include "report/report_writer.h"

namespace mivalto::testing {

inline ReportView SampleReport() {
  ReportView view;
  view.SetColor(kOlive);
  view.SetBold(true);
  view.Append("MYGRAPH.GRF");
  view.SetColor(kBlack);
  view.SetBold(false);
  view.Append("modifié le 1");
  view.Append("");
  view.SetColor(kGreen);
  view.Append("DMO \U0001F600 x");
  view.SetColor(kPurple);
  view.Append("C:\\{d}\\a<b>&\"q\"");
  view.SetColor(kBlue);
  view.SetBold(true);
  view.Append("e\x1b[31m b\x07 c\xC2\x9B t\tz");
  return view;
}

inline ReportDocument SampleDocument(const ReportView& view) {
  return {.file = "/graphs/mygraph.grf", .complete = true, .view = &view, .graph = nullptr,
          .stop_reason = {}};
}

}  // namespace mivalto::testing

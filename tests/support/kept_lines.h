// Report lines copied out of their view, for tests that keep them after the view is gone or
// compare them with expected lines.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "model/report_view.h"

namespace mivalto::testing {

struct KeptLine {
  std::string text;
  Color color = kBlack;
  bool bold = false;
  friend bool operator==(const KeptLine&, const KeptLine&) = default;
};

inline std::vector<KeptLine> KeepLines(std::span<const ReportLine> lines) {
  std::vector<KeptLine> kept;
  kept.reserve(lines.size());
  for (const ReportLine& line : lines) kept.push_back({std::string(line.text), line.color, line.bold});
  return kept;
}

}  // namespace mivalto::testing

#include "report/report_view.h"

#include <algorithm>
#include <cstdio>

namespace mivalto {

std::string ColorHex(Color c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
  return text;
}

void ReportView::Clear() {
  lines_.clear();
  color_ = kBlack;
  bold_ = false;
}

void ReportView::Append(std::string_view text) {
  constexpr std::string_view kBreak = "\r\n";
  for (;;) {
    // Grow eightfold, not twofold: the lines of a large report move a few times rather than a
    // dozen, each move touching fresh pages; capacity never written to is never resident.
    if (lines_.size() == lines_.capacity()) {
      lines_.reserve(std::max<std::size_t>(64, 8 * lines_.size()));
    }
    const std::size_t end = text.find(kBreak);
    lines_.push_back({std::string(text.substr(0, end)), color_, bold_});
    if (end == std::string_view::npos) return;
    text.remove_prefix(end + kBreak.size());
  }
}

}  // namespace mivalto

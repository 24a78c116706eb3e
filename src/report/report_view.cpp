#include "report/report_view.h"

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
    const std::size_t end = text.find(kBreak);
    lines_.push_back({std::string(text.substr(0, end)), color_, bold_});
    if (end == std::string_view::npos) return;
    text.remove_prefix(end + kBreak.size());
  }
}

}  // namespace mivalto

// The only way the analysis writes its report: six line writers that set the colour and
// bold attributes their rule names, then append the text. Attributes persist from line to
// line until a writer changes them, exactly as the window's rich-text view keeps them. The
// window shows every new report from its first line.
#pragma once

#include <string_view>

#include "model/report_view.h"

namespace mivalto {

class ReportSink {
 public:
  explicit ReportSink(ReportView& view) : view_(view) {}

  void AddLine(std::string_view text);
  void AddWebSiteLine();  // "Visitez mon site web <address>", which a page links
  void AddColoredLine(std::string_view text, Color color);
  void AddBoldLine(std::string_view text);   // black, bold
  void AddTitleLine(std::string_view text);  // olive, bold
  void AddSeparator();                       // 100 hyphens
  void AddEmptyLine();

  void ClearReport();  // empty view, black, not bold

 private:
  ReportView& view_;
};

}  // namespace mivalto

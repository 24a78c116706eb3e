#include "analysis/report_sink.h"

#include <string>

#include "base/program_texts.h"

namespace mivalto {

void ReportSink::AddLine(std::string_view text) { view_.Append(text); }

void ReportSink::AddWebSiteLine() { view_.AppendWebSiteLine(texts::WebSiteLine()); }

void ReportSink::AddColoredLine(std::string_view text, Color color) {
  view_.SetColor(color);
  view_.Append(text);
}

void ReportSink::AddBoldLine(std::string_view text) {
  view_.SetColor(kBlack);
  view_.SetBold(true);
  view_.Append(text);
}

void ReportSink::AddTitleLine(std::string_view text) {
  view_.SetColor(kOlive);
  view_.SetBold(true);
  view_.Append(text);
}

void ReportSink::AddSeparator() { view_.Append(std::string(100, '-')); }

void ReportSink::AddEmptyLine() { view_.Append({}); }

void ReportSink::ClearReport() { view_.Clear(); }

}  // namespace mivalto

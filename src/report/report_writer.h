// What the report writers share: one analysed file's report as a writer sees it, and the
// text cleaning that keeps a graph's own texts from acting as control codes in an output.
// The writers (rtf, ansi, text, html, json) each turn a list of reports into bytes.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "analysis/checks/finding.h"
#include "base/text_encoding.h"
#include "model/graph_model.h"
#include "model/report_view.h"
#include "report/buffered_output.h"

namespace mivalto {

struct ReportDocument {
  std::string file;                  // the analysed file's absolute path, UTF-8
  bool complete = false;             // the walk reached its end
  const ReportView* view = nullptr;   // never null
  const GraphModel* graph = nullptr;  // what the walk read; null only where no walk ran
  std::string stop_reason = {};       // why the walk ended early, in French; empty when complete
  const std::vector<Finding>* findings = nullptr;  // the graph's check; null with no graph
  // The file name of the catalogue file that named the filters; empty for this machine's own.
  std::string catalogue = {};
  // The file name the output is written under (the C++ source's compile line names it); empty
  // for standard output.
  std::string output_name = {};
};

// Why a format does not write these reports (French), and the file of the report at fault when
// the reason is one input's (a comparison's side that was not read to its end); empty when it
// is the output's as a whole (a picture too large to draw).
struct FormatRefusal {
  std::string reason;
  std::string file = {};
  friend bool operator==(const FormatRefusal&, const FormatRefusal&) = default;
};

// Every writer has this shape: the reports, in order, into one output.
using ReportWriter = void (*)(std::span<const ReportDocument> documents, std::ostream& out);

// What a format works out from the reports once, before any output is opened, for all it says
// of them: why it refuses them, the exit status its output calls for beyond the walks' (a
// comparison: 1 when the graphs differ), and the writing of its bytes, which is handed what
// was worked out (a comparison's differences, a graph file's stream) instead of doing it again.
struct PreparedOutput {
  std::optional<FormatRefusal> refusal = {};
  int status = 0;
  std::function<void(std::ostream& out)> write = {};  // null when refused
};
using OutputPreparer = PreparedOutput (*)(std::span<const ReportDocument> documents);

// Valid UTF-8 in which every C0 control but TAB, DEL, every C1 control, every bidirectional
// embedding, override and isolate (U+202A to U+202E, U+2066 to U+2069) and every invalid
// byte is U+FFFD: safe to send to a terminal or to embed in a document.
std::string PrintableText(std::string_view utf8);
// The same, appended to `out`.
void AppendPrintable(std::string_view utf8, std::string& out);

// How a line-by-line format (text, ANSI) turns one line into its bytes.
using LineAppender = void (*)(const ReportLine& line, std::string& bytes);

// The lines of one report after another, as the appender gives their bytes, an empty line
// between two reports, through a BufferedOutput. A line consumer, so that lines can go out while the
// analysis writes them.
class StreamedLines final : public LineConsumer {
 public:
  StreamedLines(std::ostream& out, LineAppender append_line);
  StreamedLines(const StreamedLines&) = delete;
  StreamedLines& operator=(const StreamedLines&) = delete;

  void StartReport();  // before each report's lines
  void TakeLine(const ReportLine& line) override;
  void Flush();  // after the last report

 private:
  BufferedOutput output_;
  LineAppender append_line_;
  bool first_report_ = true;
};

// Writes each report's lines through StreamedLines.
void WriteLinesOneAfterAnother(std::span<const ReportDocument> documents, std::ostream& out,
                               LineAppender append_line);

}  // namespace mivalto

// What the report writers share: one analysed file's report as a writer sees it, and the
// text cleaning that keeps a graph's own texts from acting as control codes in an output.
// The writers (rtf, ansi, text, html, json) each turn a list of reports into bytes.
#pragma once

#include <cstddef>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "model/graph_model.h"
#include "model/report_view.h"

namespace mivalto {

struct ReportDocument {
  std::string file;                  // the analysed file's absolute path, UTF-8
  bool complete = false;             // the walk reached its end
  const ReportView* view = nullptr;   // never null
  const GraphModel* graph = nullptr;  // what the walk read; null only where no walk ran
  std::string stop_reason;            // why the walk ended early, in French; empty when complete
};

// Every writer has this shape: the reports, in order, into one output.
using ReportWriter = void (*)(std::span<const ReportDocument> documents, std::ostream& out);

inline constexpr char32_t kReplacementChar = 0xFFFD;

// The code point at the front of a non-empty UTF-8 text and how many bytes it takes. A byte
// that begins no valid sequence (stray, overlong, surrogate, beyond U+10FFFF, cut short) is
// read alone as U+FFFD.
struct CodePoint {
  char32_t value;
  std::size_t length;
};
CodePoint FrontCodePoint(std::string_view utf8);

// Valid UTF-8 in which every C0 control but TAB, DEL, every C1 control and every invalid
// byte is U+FFFD: safe to send to a terminal or to embed in a document.
std::string PrintableText(std::string_view utf8);
// The same, appended to `out`.
void AppendPrintable(std::string_view utf8, std::string& out);

// The last component of a path, with either separator.
std::string_view FileNameOf(std::string_view path);

// Writes each report's lines, as append_line gives their bytes, an empty line between two
// reports.
void WriteLinesOneAfterAnother(std::span<const ReportDocument> documents, std::ostream& out,
                               void (*append_line)(const ReportLine& line, std::string& bytes));

}  // namespace mivalto

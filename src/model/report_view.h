// The in-memory report: the lines of one analysis, each with its colour and bold flag.
// The analysis writes it through the report sink; the window shows it, the command-line
// tool and the window's Save hand it to a writer. It knows nothing of graphs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/large_memory.h"

namespace mivalto {

// 0x00BBGGRR, the layout the Windows controls use.
using Color = std::uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kGreen = 0x008000;
inline constexpr Color kPurple = 0x800080;
inline constexpr Color kBlue = 0xFF0000;
inline constexpr Color kOlive = 0x008080;
inline constexpr Color kRed = 0x0000C0;  // what a comparison finds only in the first graph

constexpr std::uint8_t RedOf(Color c) { return c & 0xFF; }
constexpr std::uint8_t GreenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t BlueOf(Color c) { return (c >> 16) & 0xFF; }

// "#RRGGBB", upper-case digits.
std::string ColorHex(Color c);

// One line as the view holds it; its text stays valid until the view is cleared or destroyed
// (a move takes the texts along).
struct ReportLine {
  std::string_view text;  // UTF-8, never holds CR LF
  Color color = kBlack;
  bool bold = false;
  // The header's line that ends with the program's web site, which a page links.
  bool web_site = false;
  friend bool operator==(const ReportLine&, const ReportLine&) = default;
};

// Takes each line as it is appended, in place of the view: a caller that writes the lines out
// in order and keeps none (the command-line tool's text formats) holds no report in memory,
// whatever its size. The line's text is valid during the call only.
class LineConsumer {
 public:
  virtual void TakeLine(const ReportLine& line) = 0;

 protected:
  ~LineConsumer() = default;
};

class ReportView {
 public:
  ReportView() = default;
  // A copy holds its own texts; a move keeps every line's text where it is.
  ReportView(const ReportView& other);
  ReportView& operator=(const ReportView& other);
  ReportView(ReportView&&) = default;
  ReportView& operator=(ReportView&&) = default;

  // Removes every line; the next text is plain black.
  void Clear();

  // Attributes that the next appended text takes; they persist until changed.
  void SetColor(Color color) { color_ = color; }
  void SetBold(bool bold) { bold_ = bold; }

  // Appends the text with the current attributes; each CR LF starts a new line,
  // and an empty text appends one empty line.
  void Append(std::string_view text);
  // Appends one line that ends with the program's web site (ReportLine::web_site).
  void AppendWebSiteLine(std::string_view text);

  // From now on the lines go to the consumer as they are appended, and the view keeps none;
  // null: the view keeps them again.
  void PassLinesTo(LineConsumer* consumer) { consumer_ = consumer; }

  // Valid until the next Append or Clear.
  std::span<const ReportLine> Lines() const { return lines_; }

 private:
  std::string_view Keep(std::string_view text);

  // Line texts and records in memory fit for filling many megabytes (a large report). Texts
  // go into blocks that are never moved as they fill, so that each page is written once.
  std::vector<LargeMemoryBlock> blocks_;
  std::size_t block_used_ = 0;  // of the last block
  LargeVector<ReportLine> lines_;
  Color color_ = kBlack;
  bool bold_ = false;
  bool web_site_ = false;  // only while AppendWebSiteLine appends
  LineConsumer* consumer_ = nullptr;
};

}  // namespace mivalto

// The in-memory report: the lines of one analysis, each with its colour and bold flag.
// The analysis writes it through the report sink; the window shows it, the command-line
// tool and the window's Save hand it to a writer. It knows nothing of graphs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mivalto {

// 0x00BBGGRR, the layout the Windows controls use.
using Color = std::uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kGreen = 0x008000;
inline constexpr Color kPurple = 0x800080;
inline constexpr Color kBlue = 0xFF0000;
inline constexpr Color kOlive = 0x008080;

constexpr std::uint8_t RedOf(Color c) { return c & 0xFF; }
constexpr std::uint8_t GreenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t BlueOf(Color c) { return (c >> 16) & 0xFF; }

// "#RRGGBB", upper-case digits.
std::string ColorHex(Color c);

struct ReportLine {
  std::string text;  // UTF-8, never holds CR LF
  Color color = kBlack;
  bool bold = false;
  friend bool operator==(const ReportLine&, const ReportLine&) = default;
};

class ReportView {
 public:
  // Removes every line; the next text is plain black.
  void Clear();

  // Attributes that the next appended text takes; they persist until changed.
  void SetColor(Color color) { color_ = color; }
  void SetBold(bool bold) { bold_ = bold; }

  // Appends the text with the current attributes; each CR LF starts a new line,
  // and an empty text appends one empty line.
  void Append(std::string_view text);

  const std::vector<ReportLine>& Lines() const { return lines_; }

 private:
  std::vector<ReportLine> lines_;
  Color color_ = kBlack;
  bool bold_ = false;
};

}  // namespace mivalto

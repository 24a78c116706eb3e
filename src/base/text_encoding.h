// UTF-8 and UTF-16, in one place: the report's texts are UTF-8; graph text comes as UTF-16
// code units, binary fields (FourCC bytes) as single bytes that stand for the code points
// 0-255, and the Windows boundary takes UTF-16 (platform/wide_text.h wraps these for wchar_t).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mivalto {

inline constexpr char32_t kReplacementChar = 0xFFFD;

constexpr bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
// A UTF-8 byte that continues a character, never begins one.
constexpr bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

void AppendCodePoint(std::string& out, char32_t code_point);

// Turns UTF-16 code units into UTF-8 one at a time: a surrogate pair becomes one code
// point, a lone surrogate U+FFFD.
class Utf16Decoder {
 public:
  explicit Utf16Decoder(std::string& out) : out_(out) {}
  // Inline for ASCII, nearly every unit of a graph text.
  void Push(std::uint16_t unit) {
    if (unit < 0x80 && pending_high_ == 0) {
      out_ += static_cast<char>(unit);
    } else {
      PushOther(unit);
    }
  }
  // Ends the text: a high surrogate still waiting becomes U+FFFD.
  void Finish();

 private:
  void PushOther(std::uint16_t unit);

  std::string& out_;
  std::uint16_t pending_high_ = 0;
};

// The code point at the front of a non-empty UTF-8 text and how many bytes it takes. A byte
// that begins no valid sequence (stray, overlong, surrogate, beyond U+10FFFF, cut short) is
// read alone as U+FFFD.
struct CodePoint {
  char32_t value;
  std::size_t length;
};
CodePoint FrontCodePoint(std::string_view utf8);

// The character or broken sequence at the front of a UTF-8 text whose first byte is not ASCII,
// as a JSON writer keeps it (nlohmann's replace handler does the same): `length` bytes, one
// valid character when `valid`; otherwise a lead and the bytes that fit after it, or a stray
// byte, all standing for one U+FFFD. The byte that broke a sequence starts afresh.
struct Utf8Sequence {
  std::size_t length;
  bool valid;
};
Utf8Sequence FrontUtf8Sequence(std::string_view utf8);
// The text with each broken sequence as one U+FFFD, as FrontUtf8Sequence reads it.
std::string WithBrokenUtf8Replaced(std::string_view utf8);

// Whole texts, each invalid unit or byte as U+FFFD.
std::string Utf8FromUtf16(std::u16string_view utf16);
std::u16string Utf16FromUtf8(std::string_view utf8);

// Number of code points in a UTF-8 text.
std::size_t CodePointCount(std::string_view utf8);
// The text cut to at most max_code_points code points.
std::string_view CutToCodePoints(std::string_view utf8, std::size_t max_code_points);

}  // namespace mivalto

// UTF-8 building blocks: the report's texts are UTF-8. Graph text comes as UTF-16 code
// units, binary fields (FourCC bytes) as single bytes that stand for the code points 0-255.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mivalto {

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

// Number of code points in a UTF-8 text.
std::size_t CodePointCount(std::string_view utf8);
// The text cut to at most max_code_points code points.
std::string_view CutToCodePoints(std::string_view utf8, std::size_t max_code_points);

}  // namespace mivalto

#include "base/text_encoding.h"

namespace mivalto {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(std::uint16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(std::uint16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

void AppendCodePoint(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void Utf16Decoder::PushOther(std::uint16_t unit) {
  if (pending_high_ != 0) {
    if (IsLowSurrogate(unit)) {
      AppendCodePoint(out_, 0x10000 + ((char32_t(pending_high_) - 0xD800) << 10) + (unit - 0xDC00));
      pending_high_ = 0;
      return;
    }
    AppendCodePoint(out_, kReplacement);
    pending_high_ = 0;
  }
  if (IsHighSurrogate(unit)) {
    pending_high_ = unit;
  } else if (IsLowSurrogate(unit)) {
    AppendCodePoint(out_, kReplacement);
  } else {
    AppendCodePoint(out_, unit);
  }
}

void Utf16Decoder::Finish() {
  if (pending_high_ != 0) AppendCodePoint(out_, kReplacement);
  pending_high_ = 0;
}

std::size_t CodePointCount(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) count += !IsContinuationByte(c);
  return count;
}

std::string_view CutToCodePoints(std::string_view utf8, std::size_t max_code_points) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (!IsContinuationByte(utf8[i]) && seen++ == max_code_points) return utf8.substr(0, i);
  }
  return utf8;
}

}  // namespace mivalto

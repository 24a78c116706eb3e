#include "base/guid.h"

#include "base/le_bytes.h"
#include "base/program_texts.h"
#include "base/read_failure.h"

namespace mivalto {

// Digit by digit: reports write a GUID text for nearly every filter and media type.
std::string GuidText(const Guid& g) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(38, '-');
  std::size_t at = 1;
  const auto put = [&](std::uint32_t value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
      text[at++] = kDigits[(value >> shift) & 0xF];
    }
  };
  put(g.data1, 8);
  ++at;
  put(g.data2, 4);
  ++at;
  put(g.data3, 4);
  ++at;
  for (std::size_t i = 0; i < 8; ++i) {
    if (i == 2) ++at;
    put(g.data4[i], 2);
  }
  text.front() = '{';
  text.back() = '}';
  return text;
}

Guid GuidFromBytes(std::span<const std::uint8_t, 16> bytes) {
  Guid g;
  g.data1 = LeU32(bytes, 0);
  g.data2 = LeU16(bytes, 4);
  g.data3 = LeU16(bytes, 6);
  for (std::size_t i = 0; i < 8; ++i) g.data4[i] = bytes[8 + i];
  return g;
}

Guid ParseGuidOrFail(std::string_view text) {
  const std::optional<Guid> g = ParseGuid(text);
  if (!g) throw ReadFailure(texts::InvalidGuidText(text));
  return *g;
}

}  // namespace mivalto

// GUID values and their 38-character registry text "{8-4-4-4-12}". One parser (either case
// of hexadecimal digits) and one formatter (upper case), shared by every table and reader.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace mivalto {

struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};
  friend constexpr bool operator==(const Guid&, const Guid&) = default;
};

namespace guid_detail {
constexpr int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
// Reads `digits` hexadecimal digits at text[at]; -1 if any is not a digit.
constexpr std::int64_t HexField(std::string_view text, std::size_t at, std::size_t digits) {
  std::int64_t value = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    const int d = HexValue(text[at + i]);
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  return value;
}
}  // namespace guid_detail

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" exactly (38 characters).
constexpr std::optional<Guid> ParseGuid(std::string_view text) {
  using guid_detail::HexField;
  if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' ||
      text[14] != '-' || text[19] != '-' || text[24] != '-') {
    return std::nullopt;
  }
  Guid g;
  const std::int64_t d1 = HexField(text, 1, 8), d2 = HexField(text, 10, 4),
                     d3 = HexField(text, 15, 4);
  if (d1 < 0 || d2 < 0 || d3 < 0) return std::nullopt;
  g.data1 = static_cast<std::uint32_t>(d1);
  g.data2 = static_cast<std::uint16_t>(d2);
  g.data3 = static_cast<std::uint16_t>(d3);
  constexpr std::size_t kByteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (std::size_t i = 0; i < 8; ++i) {
    const std::int64_t b = HexField(text, kByteAt[i], 2);
    if (b < 0) return std::nullopt;
    g.data4[i] = static_cast<std::uint8_t>(b);
  }
  return g;
}

// For constant tables: "{...}"_guid; an invalid text does not compile.
consteval Guid operator""_guid(const char* text, std::size_t length) {
  const std::optional<Guid> g = ParseGuid(std::string_view(text, length));
  if (!g) throw "invalid GUID literal";
  return *g;
}

// Upper-case registry text, 38 characters.
std::string GuidText(const Guid& g);

// A GUID as it lies in memory: three little-endian fields, then eight bytes.
Guid GuidFromBytes(std::span<const std::uint8_t, 16> bytes);

// Parses a GUID text read from the graph; a text that is not a GUID is a read failure.
Guid ParseGuidOrFail(std::string_view text);

inline constexpr Guid kGuidNull{};

// A GUID with the name the report gives it (the GUID text itself when no table names it).
struct NamedGuid {
  Guid guid;
  std::string name;
  friend bool operator==(const NamedGuid&, const NamedGuid&) = default;
};

}  // namespace mivalto

// Little-endian record bytes for tests: format blocks and filter data are written field by
// field, the way they lie in a graph file, whatever the host's byte order.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace mivalto::testing {

using ByteVector = std::vector<std::uint8_t>;

// The 16 bytes of a GUID as it lies in memory (three little-endian fields, then eight
// bytes), from its registry text "{8-4-4-4-12}"; throws std::invalid_argument on a bad text.
// Parsed here rather than by the product's parser, so that the two check each other.
std::array<std::uint8_t, 16> GuidBytes(std::string_view text);

class ByteWriter {
 public:
  ByteWriter& U8(std::uint8_t value);
  ByteWriter& U16(std::uint16_t value);
  ByteWriter& U32(std::uint32_t value);
  ByteWriter& I32(std::int32_t value) { return U32(static_cast<std::uint32_t>(value)); }
  ByteWriter& U64(std::uint64_t value);
  ByteWriter& I64(std::int64_t value) { return U64(static_cast<std::uint64_t>(value)); }
  // Four characters as four bytes, first character first (a FourCC).
  ByteWriter& FourCC(std::string_view code);
  ByteWriter& Guid(std::string_view text);
  // UTF-8 text as UTF-16LE units, no terminator (an invalid byte as U+FFFD).
  ByteWriter& Utf16(std::string_view utf8);
  ByteWriter& Bytes(std::span<const std::uint8_t> bytes);
  ByteWriter& Fill(std::size_t count, std::uint8_t value = 0);

  const ByteVector& Result() const { return bytes_; }
  std::size_t Size() const { return bytes_.size(); }

 private:
  ByteVector bytes_;
};

}  // namespace mivalto::testing

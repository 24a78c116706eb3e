// Little-endian fields read from raw record bytes, one at a time, so that records decode the
// same on every platform (no casting of buffers to structs), and appended to bytes being
// written the same way. A reader's caller guarantees that the record holds the field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace mivalto {

inline std::uint16_t LeU16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
inline std::uint32_t LeU32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) |
         (std::uint32_t(b[at + 2]) << 16) | (std::uint32_t(b[at + 3]) << 24);
}
inline std::int32_t LeI32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int32_t>(LeU32(b, at));
}
inline std::int64_t LeI64(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int64_t>(std::uint64_t(LeU32(b, at)) |
                                   (std::uint64_t(LeU32(b, at + 4)) << 32));
}

inline void AppendLeU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
inline void AppendLeU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  AppendLeU16(out, static_cast<std::uint16_t>(value));
  AppendLeU16(out, static_cast<std::uint16_t>(value >> 16));
}
inline void AppendLeU64(std::vector<std::uint8_t>& out, std::uint64_t value) {
  AppendLeU32(out, static_cast<std::uint32_t>(value));
  AppendLeU32(out, static_cast<std::uint32_t>(value >> 32));
}

}  // namespace mivalto

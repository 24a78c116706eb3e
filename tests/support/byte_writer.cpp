#include "support/byte_writer.h"

#include <stdexcept>
#include <string>

#include "base/le_bytes.h"
#include "base/text_encoding.h"

namespace mivalto::testing {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  throw std::invalid_argument("not a hexadecimal digit in a GUID text");
}

std::uint8_t HexByte(std::string_view text, std::size_t at) {
  return static_cast<std::uint8_t>(HexDigit(text[at]) * 16 + HexDigit(text[at + 1]));
}

}  // namespace

std::array<std::uint8_t, 16> GuidBytes(std::string_view text) {
  if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' ||
      text[14] != '-' || text[19] != '-' || text[24] != '-') {
    throw std::invalid_argument("not a GUID text: " + std::string(text));
  }
  // Text positions of the 16 bytes in memory order: the first three fields are reversed.
  constexpr std::size_t kTextAt[16] = {7,  5,  3,  1,  12, 10, 17, 15,
                                       20, 22, 25, 27, 29, 31, 33, 35};
  std::array<std::uint8_t, 16> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = HexByte(text, kTextAt[i]);
  return bytes;
}

ByteWriter& ByteWriter::U8(std::uint8_t value) {
  bytes_.push_back(value);
  return *this;
}

ByteWriter& ByteWriter::U16(std::uint16_t value) {
  AppendLeU16(bytes_, value);
  return *this;
}

ByteWriter& ByteWriter::U32(std::uint32_t value) {
  AppendLeU32(bytes_, value);
  return *this;
}

ByteWriter& ByteWriter::U64(std::uint64_t value) {
  AppendLeU64(bytes_, value);
  return *this;
}

ByteWriter& ByteWriter::FourCC(std::string_view code) {
  if (code.size() != 4) throw std::invalid_argument("a FourCC has four characters");
  for (char c : code) U8(static_cast<std::uint8_t>(c));
  return *this;
}

ByteWriter& ByteWriter::Guid(std::string_view text) { return Bytes(GuidBytes(text)); }

ByteWriter& ByteWriter::Utf16(std::string_view utf8) {
  for (const char16_t unit : Utf16FromUtf8(utf8)) U16(unit);
  return *this;
}

ByteWriter& ByteWriter::Bytes(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

ByteWriter& ByteWriter::Fill(std::size_t count, std::uint8_t value) {
  bytes_.insert(bytes_.end(), count, value);
  return *this;
}

}  // namespace mivalto::testing

#include "support/byte_writer.h"

#include <stdexcept>
#include <string>

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

// Length of the UTF-8 sequence led by `lead`, and the bits it carries.
struct Utf8Lead {
  std::size_t length;
  char32_t bits;
};

Utf8Lead DecodeLead(unsigned char lead) {
  if (lead < 0x80) return {1, lead};
  if ((lead & 0xE0) == 0xC0) return {2, char32_t(lead & 0x1F)};
  if ((lead & 0xF0) == 0xE0) return {3, char32_t(lead & 0x0F)};
  if ((lead & 0xF8) == 0xF0) return {4, char32_t(lead & 0x07)};
  throw std::invalid_argument("malformed UTF-8 in test text");
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

std::vector<std::uint16_t> Utf16Units(std::string_view utf8) {
  std::vector<std::uint16_t> units;
  for (std::size_t i = 0; i < utf8.size();) {
    const Utf8Lead lead = DecodeLead(static_cast<unsigned char>(utf8[i]));
    if (lead.length > utf8.size() - i) throw std::invalid_argument("truncated UTF-8");
    char32_t code_point = lead.bits;
    for (std::size_t k = 1; k < lead.length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) throw std::invalid_argument("malformed UTF-8 in test text");
      code_point = (code_point << 6) | (next & 0x3F);
    }
    i += lead.length;
    if (code_point < 0x10000) {
      units.push_back(static_cast<std::uint16_t>(code_point));
    } else {
      code_point -= 0x10000;
      units.push_back(static_cast<std::uint16_t>(0xD800 + (code_point >> 10)));
      units.push_back(static_cast<std::uint16_t>(0xDC00 + (code_point & 0x3FF)));
    }
  }
  return units;
}

ByteWriter& ByteWriter::U8(std::uint8_t value) {
  bytes_.push_back(value);
  return *this;
}

ByteWriter& ByteWriter::U16(std::uint16_t value) {
  return U8(static_cast<std::uint8_t>(value)).U8(static_cast<std::uint8_t>(value >> 8));
}

ByteWriter& ByteWriter::U32(std::uint32_t value) {
  return U16(static_cast<std::uint16_t>(value)).U16(static_cast<std::uint16_t>(value >> 16));
}

ByteWriter& ByteWriter::U64(std::uint64_t value) {
  return U32(static_cast<std::uint32_t>(value)).U32(static_cast<std::uint32_t>(value >> 32));
}

ByteWriter& ByteWriter::FourCC(std::string_view code) {
  if (code.size() != 4) throw std::invalid_argument("a FourCC has four characters");
  for (char c : code) U8(static_cast<std::uint8_t>(c));
  return *this;
}

ByteWriter& ByteWriter::Guid(std::string_view text) { return Bytes(GuidBytes(text)); }

ByteWriter& ByteWriter::Utf16(std::string_view utf8) {
  for (std::uint16_t unit : Utf16Units(utf8)) U16(unit);
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

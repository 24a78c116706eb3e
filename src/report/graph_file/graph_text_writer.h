// The bytes of a graph text, piece by piece: UTF-16LE text, the raw binary blocks that it
// embeds behind their ten-character counts, quoted names. Every piece is written exactly as
// given; the .grf writer puts them in a graph file's order, tests also write broken ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mivalto {

// A number as ten decimal digits with leading zeros ("0000614400"), as counts are written.
std::string TenDigits(std::uint32_t value);

class GraphTextWriter {
 public:
  // UTF-8 text as UTF-16LE units (an invalid byte as U+FFFD); CR and LF only where given.
  GraphTextWriter& Text(std::string_view utf8);
  GraphTextWriter& Line(std::string_view utf8);  // Text, then CR LF
  GraphTextWriter& Quoted(std::string_view utf8);  // between double quotes
  GraphTextWriter& Units(std::span<const std::uint16_t> units);
  GraphTextWriter& Raw(std::span<const std::uint8_t> bytes);  // any length, odd too
  // count_text (ten digits, or as given), one space unit, the raw bytes.
  GraphTextWriter& Block(std::span<const std::uint8_t> bytes, std::string_view count_text);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }
  std::size_t Size() const { return bytes_.size(); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace mivalto

// Builds the bytes of a graph text for tests: whole filter and connection entries, the clock
// line and the end marker, each piece a text written exactly as given, so that a test can also
// write a broken one; the UTF-16 pieces are the product's GraphTextWriter's.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "report/graph_file/graph_text_writer.h"
#include "support/byte_writer.h"

namespace mivalto::testing {

// The optional clause of a filter entry (a word, then a quoted text), e.g. SOURCE "c:\a.avi".
struct FilterClause {
  std::string word = "SOURCE";
  std::string text{};  // written between double quotes
};

// One line of the filter section:
//   number sp "name" sp clsid sp [word sp "text" sp] count sp data CR LF
struct FilterEntry {
  std::string number = "0001";  // four characters, as written
  std::string name{};           // written between double quotes
  std::string clsid{};          // GUID text, as written
  std::optional<FilterClause> clause{};
  ByteVector data{};
  std::optional<std::string> data_count{};  // written instead of the data's ten-digit count
};

// Unit written between the sample size and the format type: writers differ.
enum class FormatTypeSeparator { kSpace, kNul };

// The media type of a connection, from the major type to the end of the format block:
//   major sp subtype sp fixed sp temporal sp size SEP formattype sp count sp format [NUL]
struct MediaTypeEntry {
  std::string major_type{};  // GUID texts, as written
  std::string subtype{};
  std::string fixed_size_samples = "1";    // one character, as written
  std::string temporal_compression = "0";  // one character, as written
  std::string sample_size = "0000000000";  // ten characters, as written (see TenDigits)
  FormatTypeSeparator separator = FormatTypeSeparator::kNul;
  std::string format_type{};
  ByteVector format{};
  std::optional<std::string> format_count{};  // written instead of the ten-digit count
  bool nul_after_format = false;              // one writer ends the block with a NUL unit
};

// One line of the connection section:
//   from sp "from_pin" sp to sp "to_pin" sp length sp media type CR LF
struct ConnectionEntry {
  std::string from = "0001";  // four characters, as written
  std::string from_pin{};     // written between double quotes
  std::string to = "0002";
  std::string to_pin{};
  // The ten characters after the pins; by default the media type's length in bytes, as
  // real writers put it.
  std::optional<std::string> length_field{};
  MediaTypeEntry media{};
};

using mivalto::TenDigits;

class GraphText {
 public:
  // UTF-8 text appended as UTF-16LE units; CR and LF are written only where given.
  GraphText& Text(std::string_view utf8);
  GraphText& Line(std::string_view utf8);  // Text, then CR LF
  GraphText& Units(std::initializer_list<std::uint16_t> units);
  GraphText& Units(std::span<const std::uint16_t> units);
  GraphText& Raw(std::span<const std::uint8_t> bytes);  // any length, odd too
  // Ten-digit count, one space unit, the raw bytes.
  GraphText& Block(std::span<const std::uint8_t> bytes);
  // count_text written as given instead of the count (wrong, too large, not digits...).
  GraphText& Block(std::span<const std::uint8_t> bytes, std::string_view count_text);

  GraphText& Filter(const FilterEntry& entry);
  GraphText& Connection(const ConnectionEntry& entry);
  GraphText& Media(const MediaTypeEntry& media);  // the media type alone, no line end
  // CLOCK sp flag sp reference CR LF; reference is "0000", a filter number or a GUID text.
  GraphText& Clock(std::string_view reference, std::string_view flag = "1");
  GraphText& End();  // "END", with nothing after it, as real files end

  const ByteVector& Bytes() const { return text_.Bytes(); }
  std::size_t Size() const { return text_.Size(); }

 private:
  GraphText& Quoted(std::string_view utf8);

  GraphTextWriter text_;
};

}  // namespace mivalto::testing

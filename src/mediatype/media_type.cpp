#include "mediatype/media_type.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/guid.h"
#include "base/program_texts.h"
#include "mediatype/format_block.h"
#include "mediatype/format_type_table.h"
#include "mediatype/major_type_table.h"
#include "mediatype/subtype_name.h"

namespace mivalto {
namespace {

constexpr std::string_view kLineIndent = "     ";
constexpr std::string_view kItemSeparator = " - ";

// Unknown format types show no GUID text, and their block only by its size.
constexpr FormatType kUnknownFormat{{}, "Unknown Format"};

const FormatType& FindFormatType(const Guid& guid) {
  const auto row = std::ranges::find(kFormatTypeTable, guid, &FormatType::value);
  return row == std::end(kFormatTypeTable) ? kUnknownFormat : *row;
}

// A sample flag is set when its character's low byte is above "0".
bool FlagSet(std::uint16_t unit) { return (unit & 0xFF) > '0'; }

// The block: the record's field lines, closed by an indented line, when the block holds the
// record; then the note on the bytes not shown.
std::string DescribeFormatBlock(GraphScanner& scanner, const FormatType& type) {
  std::vector<std::uint8_t> record(type.record_size);  // none without a decoder
  std::string text;
  if (ReadFormatBlock(scanner, record)) {
    text = type.decoder(record);
    FieldTrailer(text);
  }
  return text + SkipFormatBlockRest(scanner);
}

}  // namespace

std::string DescribeMajorType(GraphScanner& scanner) {
  const std::string guid_text = scanner.ReadGuidText();
  const Guid major_type = ParseGuidOrFail(guid_text);
  std::string line(kLineIndent);
  line += FindName(kMajorTypeTable, major_type).value_or(guid_text);
  scanner.NextChar();
  return line;
}

std::string DescribeSubtype(GraphScanner& scanner) {
  std::string line(kLineIndent);
  line += SubtypeName(scanner.ReadGuidText());
  line += kItemSeparator;
  scanner.SkipChar();
  if (FlagSet(scanner.NextChar())) (line += texts::kFixedSizeSamples) += kItemSeparator;
  scanner.NextChar();
  if (FlagSet(scanner.NextChar())) (line += texts::kTemporalCompression) += kItemSeparator;
  scanner.NextChar();
  line += "(" + std::to_string(scanner.ReadDecimal(10)) + ")";
  scanner.NextChar();
  return line;
}

std::string DescribeFormat(GraphScanner& scanner) {
  const FormatType& type = FindFormatType(ParseGuidOrFail(scanner.ReadGuidText()));
  std::string line(kLineIndent);
  line += type.text;
  line += scanner.SkipChar();
  return line + DescribeFormatBlock(scanner, type);
}

}  // namespace mivalto

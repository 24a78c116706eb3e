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
void DescribeFormatBlock(GraphScanner& scanner, const FormatType& type, FormatLine& line) {
  FormatBlockStart block = ReadFormatBlock(scanner, type.record_size);
  line.size = block.size;
  if (block.record_read) {
    type.decoder(std::span(block.bytes).first(type.record_size), line.fields);
    AppendFieldLines(line.text, line.fields);
  }
  line.bytes = std::move(block.bytes);
  line.text += SkipFormatBlockRest(scanner);
}

}  // namespace

MajorTypeLine DescribeMajorType(GraphScanner& scanner) {
  const std::string guid_text = scanner.ReadGuidText();
  const Guid major_type = ParseGuidOrFail(guid_text);
  MajorTypeLine line{std::string(kLineIndent),
                     {major_type, std::string(FindName(kMajorTypeTable, major_type).value_or(guid_text))}};
  line.text += line.major_type.name;
  scanner.NextChar();
  return line;
}

SubtypeLine DescribeSubtype(GraphScanner& scanner) {
  const std::string guid_text = scanner.ReadGuidText();
  SubtypeLine line;
  line.subtype = {SubtypeGuid(guid_text), SubtypeName(guid_text)};
  scanner.SkipChar();
  line.fixed_size_samples = FlagSet(scanner.NextChar());
  scanner.NextChar();
  line.temporal_compression = FlagSet(scanner.NextChar());
  scanner.NextChar();
  line.sample_size = static_cast<std::uint32_t>(scanner.ReadDecimal(10));
  scanner.NextChar();
  ((line.text = kLineIndent) += line.subtype.name) += kItemSeparator;
  if (line.fixed_size_samples) (line.text += texts::kFixedSizeSamples) += kItemSeparator;
  if (line.temporal_compression) (line.text += texts::kTemporalCompression) += kItemSeparator;
  // The report shows the value as signed, as it always has.
  line.text += "(" + std::to_string(static_cast<std::int32_t>(line.sample_size)) + ")";
  return line;
}

FormatLine DescribeFormat(GraphScanner& scanner) {
  const Guid guid = ParseGuidOrFail(scanner.ReadGuidText());
  const FormatType& type = FindFormatType(guid);
  FormatLine line;
  line.type = {guid, std::string(type.text)};
  (line.text = kLineIndent) += type.text;
  line.text += scanner.SkipChar();
  DescribeFormatBlock(scanner, type, line);
  return line;
}

std::size_t FormatBytesLeftForLineEnd(const Guid& format_type, std::int32_t size) {
  if (size <= 0) return 0;
  const std::size_t record = FindFormatType(format_type).record_size;
  const auto block = static_cast<std::size_t>(size);
  const std::size_t left = record != 0 && block >= record ? block - record : block;
  return left <= 2 ? left : 0;
}

}  // namespace mivalto

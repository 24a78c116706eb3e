#include "analysis/media_type_section.h"

#include "base/program_texts.h"
#include "mediatype/format_block.h"
#include "mediatype/media_type.h"
#include "mediatype/subtype_name.h"

namespace mivalto {
namespace {

constexpr std::string_view kLineIndent = "     ";
constexpr std::string_view kItemSeparator = " - ";
// Room for a format line's head and note, and for one field line: most fit.
constexpr std::size_t kFormatLineHead = 96;
constexpr std::size_t kFieldLineSize = 48;

// A sample flag is set when its character's low byte is above "0".
bool FlagSet(std::uint16_t unit) { return (unit & 0xFF) > '0'; }

}  // namespace

void ReadMajorType(GraphScanner& scanner, MediaTypeModel& media, MediaTypeSpelling& spelling) {
  SpelledGuid major_type = scanner.ReadGuid();
  scanner.NextChar();
  media.major_type = NamedGuid{major_type.value, {}};
  spelling.major_type = std::move(major_type.odd_text);
}

void ReadSubtype(GraphScanner& scanner, MediaTypeModel& media, MediaTypeSpelling& spelling) {
  SpelledGuid subtype;
  if (!scanner.ReadGuidInto(subtype)) subtype.value = SubtypeGuid(subtype.odd_text);
  scanner.SkipChar();
  const bool fixed_size_samples = FlagSet(scanner.NextChar());
  scanner.NextChar();
  const bool temporal_compression = FlagSet(scanner.NextChar());
  scanner.NextChar();
  const auto sample_size = static_cast<std::uint32_t>(scanner.ReadDecimal(10));
  scanner.NextChar();
  media.subtype = NamedGuid{subtype.value, {}};
  media.fixed_size_samples = fixed_size_samples;
  media.temporal_compression = temporal_compression;
  media.sample_size = sample_size;
  spelling.subtype = std::move(subtype.odd_text);
}

std::uint64_t ReadFormat(GraphScanner& scanner, MediaTypeModel& media) {
  const Guid type = scanner.ReadGuid().value;
  scanner.SkipChar();
  // After the count's ten characters and its separator.
  const std::uint64_t block_offset = scanner.CurrentOffset() + 22;
  FormatBlock block = ReadFormatBlock(scanner, FindFormatType(type));
  media.format = FormatModel{{type, {}}, block.size, std::move(block.bytes), {}};
  return block_offset;
}

void DeriveMajorType(MediaTypeModel& media, const MediaTypeSpelling& spelling) {
  NamedGuid& major_type = *media.major_type;
  major_type.name = MajorTypeName(major_type.guid, spelling.major_type);
}

std::string MajorTypeLine(const MediaTypeModel& media) {
  return std::string(kLineIndent) + media.major_type->name;
}

void DeriveSubtype(MediaTypeModel& media, const MediaTypeSpelling& spelling) {
  NamedGuid& subtype = *media.subtype;
  subtype.name = SubtypeName(subtype.guid, spelling.subtype);
}

std::string SubtypeLine(const MediaTypeModel& media) {
  std::string line(kLineIndent);
  (line += media.subtype->name) += kItemSeparator;
  if (*media.fixed_size_samples) (line += texts::kFixedSizeSamples) += kItemSeparator;
  if (*media.temporal_compression) (line += texts::kTemporalCompression) += kItemSeparator;
  // The report shows the value as signed, as it always has.
  line += "(" + std::to_string(static_cast<std::int32_t>(*media.sample_size)) + ")";
  return line;
}

void DeriveFormat(FormatModel& format) {
  const FormatType& type = FindFormatType(format.type.guid);
  format.type.name = type.text;
  DecodedFields fields = FormatFields(type, *format.size, format.bytes);
  format.fields.clear();
  format.fields.reserve(fields.size());
  for (DecodedField& field : fields) {
    format.fields.push_back({field.label, std::move(field.value), field.number, field.role});
  }
}

std::string FormatLine(const FormatModel& format) {
  std::string line;
  line.reserve(kFormatLineHead + kFieldLineSize * format.fields.size());  // grown once
  ((line += kLineIndent) += format.type.name) += "  ";
  if (!format.fields.empty()) {
    for (const FormatField& field : format.fields) ((line += kFieldIndent) += field.label) += field.text;
    line += kFieldIndent;
  }
  const std::size_t unshown = FormatBytesUnshown(FindFormatType(format.type.guid), *format.size);
  if (unshown > 2) line += texts::BinaryBytesNote(static_cast<long long>(unshown));
  return line;
}

}  // namespace mivalto

// The fields of every format block decoder: each decoder appends one DecodedField per field
// of its record (label and value text), from which both the report's field lines (CR LF, ten
// spaces, label, value) and the graph model's fields are made. Also the field lists shared by
// the video records (the 48-byte video header and the 40-byte bitmap header). Field values are
// read little-endian from the record bytes, one field at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mediatype/field_role.h"
#include "mediatype/naming_table.h"

namespace mivalto {

using RecordBytes = std::span<const std::uint8_t>;

// Where a number lies in its record: its first byte, its byte count, whether it is signed.
struct NumberPlace {
  std::size_t offset = 0;
  std::size_t width = 0;
  bool is_signed = false;
};

// A field's value: the text the report writes, and the number it stands for when it is one,
// with its place (offset relative to the byte the value was read at).
struct DecodedValue {
  std::string text;
  std::optional<std::int64_t> number;
  NumberPlace place = {};
};

// Reads the value of the field at byte `at` of a record.
using FieldValueText = DecodedValue (*)(RecordBytes record, std::size_t at);

// One labelled field of a record; the label carries its own spacing ("biWidth = ").
struct RecordField {
  std::string_view label;
  std::size_t offset;
  FieldValueText value;
  FieldRole role = FieldRole::kNone;
};

// One decoded field: the label as its table spells it, the value text as the report writes it
// after the label (flag words keep their leading spaces) and its number, if any, with the
// number's place in the whole record.
struct DecodedField {
  std::string_view label;
  std::string value;
  std::optional<std::int64_t> number;
  FieldRole role = FieldRole::kNone;
  NumberPlace place = {};
};
using DecodedFields = std::vector<DecodedField>;

// A DecodedField for each field, in the list's order, the list's offsets counted from byte
// `base` of the record. The record must hold every field.
void AppendFields(DecodedFields& out, RecordBytes record, std::span<const RecordField> fields,
                  std::size_t base = 0);

// rcSource, rcTarget, bit rates and AvgTimePerFrame: the first 48 bytes of every video
// info record, MPEG ones included.
void AppendVideoHeaderFields(DecodedFields& out, RecordBytes record);
// The eleven fields of a BITMAPINFOHEADER starting at byte `base` of the record.
void AppendBitmapInfoHeaderFields(DecodedFields& out, RecordBytes record, std::size_t base);

// Writes a field's number at its place, little-endian; false, writing nothing, when the
// number does not fit the field's width and sign or the record does not hold the place.
bool StoreNumber(std::span<std::uint8_t> record, const NumberPlace& place, std::int64_t number);

// What starts each field's line in the report, and the line that closes the record.
inline constexpr std::string_view kFieldIndent = "\r\n          ";

// The field as words, without the report's spacing: the label without " = ", the value
// without the spaces around it ("InterlaceFlags", "isInterlaced Field1First").
std::string_view FieldNameOf(std::string_view label);
std::string_view TrimmedValue(std::string_view text);
inline std::string_view FieldName(const DecodedField& field) { return FieldNameOf(field.label); }
inline std::string_view FieldValue(const DecodedField& field) { return TrimmedValue(field.value); }

// Values: numbers, then texts.
DecodedValue U16Decimal(RecordBytes record, std::size_t at);
DecodedValue U32Decimal(RecordBytes record, std::size_t at);
DecodedValue I32Decimal(RecordBytes record, std::size_t at);
DecodedValue I64Decimal(RecordBytes record, std::size_t at);
DecodedValue U32Hex(RecordBytes record, std::size_t at);  // eight upper-case digits
DecodedValue FourCCAt(RecordBytes record, std::size_t at);
DecodedValue RectText(RecordBytes record, std::size_t at);  // "left,top,right,bottom"

// The words of the set bits, in the table's order; each word carries its leading space.
std::string FlagWords(std::span<const Named<std::uint32_t>> words, std::uint32_t flags);

}  // namespace mivalto

// The text pieces of every format block decoder: one field per line (CR LF, ten spaces,
// label, value), the indented line that closes a record, and the field lists shared by the
// video records (the 48-byte video header and the 40-byte bitmap header). Field values are
// read little-endian from the record bytes, one field at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "mediatype/naming_table.h"

namespace mivalto {

using RecordBytes = std::span<const std::uint8_t>;

// Writes the value of the field at byte `at` of a record.
using FieldValueText = std::string (*)(RecordBytes record, std::size_t at);

// One labelled field of a record; the label carries its own spacing ("biWidth = ").
struct RecordField {
  std::string_view label;
  std::size_t offset;
  FieldValueText value;
};

void FieldLine(std::string& out, std::string_view label, std::string_view value);
void FieldTrailer(std::string& out);
// A FieldLine for each field, in the list's order. The record must hold every field.
std::string FieldLines(RecordBytes record, std::span<const RecordField> fields);

// rcSource, rcTarget, bit rates and AvgTimePerFrame: the first 48 bytes of every video
// info record, MPEG ones included.
void AppendVideoHeaderLines(std::string& out, RecordBytes record);
// The eleven fields of a BITMAPINFOHEADER starting at the first byte of `header`.
void AppendBitmapInfoHeaderLines(std::string& out, RecordBytes header);

// Value texts.
std::string U16Decimal(RecordBytes record, std::size_t at);
std::string U32Decimal(RecordBytes record, std::size_t at);
std::string I32Decimal(RecordBytes record, std::size_t at);
std::string I64Decimal(RecordBytes record, std::size_t at);
std::string U32Hex(RecordBytes record, std::size_t at);  // eight upper-case digits
std::string FourCCAt(RecordBytes record, std::size_t at);
std::string RectText(RecordBytes record, std::size_t at);  // "left,top,right,bottom"

// The words of the set bits, in the table's order; each word carries its leading space.
std::string FlagWords(std::span<const Named<std::uint32_t>> words, std::uint32_t flags);

}  // namespace mivalto

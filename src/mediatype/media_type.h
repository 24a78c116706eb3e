// The media type of a connection in words. After a connection's pin line, the graph text
// holds the major type GUID, the subtype GUID, the two sample flags, the sample size, the
// format type GUID and the format block, separated by one character each. What is read of them
// is named here: the GUIDs (as the report names them, some by their text as spelled), the
// fields of the format block's record, and the block's bytes the report shows only by count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/guid.h"
#include "mediatype/field_lines.h"
#include "mediatype/format_type_table.h"

namespace mivalto {

// The major type's name from the table, else its text as spelled (`spelling`, empty for the
// canonical text).
std::string MajorTypeName(const Guid& major_type, std::string_view spelling);

// The format type's row; "Unknown Format", with no decoder, for a GUID no row holds.
const FormatType& FindFormatType(const Guid& format_type);

// The record's fields, when the block (its `size` as stored, its bytes) holds the format
// type's whole record; none otherwise.
DecodedFields FormatFields(const FormatType& type, std::int32_t size,
                           std::span<const std::uint8_t> bytes);

// The block's bytes after those the fields show (all of them when none is shown), which the
// report shows by their count only when there are more than two.
std::size_t FormatBytesUnshown(const FormatType& type, std::int32_t size);

// How many of a format block's last bytes the reader leaves for the rest-of-line skip (0 to
// 2), which takes a CR among them for the end of the line: the unshown bytes, when two or fewer.
std::size_t FormatBytesLeftForLineEnd(const Guid& format_type, std::int32_t size);

}  // namespace mivalto

// The media type of a connection in words. After a connection's pin line, the graph text
// holds the major type GUID, the subtype GUID, the two sample flags, the sample size, the
// format type GUID and the format block, separated by one character each; the three
// describers read them in that order through the scanner and return one report line each,
// with the facts that line was made from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/guid.h"
#include "mediatype/field_lines.h"
#include "scan/graph_scanner.h"

namespace mivalto {

struct MajorTypeLine {
  std::string text;
  NamedGuid major_type;
};

struct SubtypeLine {
  std::string text;
  NamedGuid subtype;
  bool fixed_size_samples = false;
  bool temporal_compression = false;
  std::uint32_t sample_size = 0;  // the 32-bit fold of its ten characters
};

struct FormatLine {
  std::string text;
  NamedGuid type;                   // "Unknown Format" for a GUID no table holds
  std::int32_t size = 0;            // the block's count as stored
  std::vector<std::uint8_t> bytes;  // the whole block (none for a count of 0 or less)
  DecodedFields fields;             // none when no decoder or the block is shorter than its record
};

// From the major type's first character to the subtype's first character.
MajorTypeLine DescribeMajorType(GraphScanner& scanner);

// From the subtype's first character to the format type's first character: the subtype's
// name, the sample flags that are set and the sample size in parentheses.
SubtypeLine DescribeSubtype(GraphScanner& scanner);

// From the format type's first character to the first unit after the format block (or, when
// one or two bytes of it are left unshown, on its last bytes): the format type's name and its
// block, field lines below it on CR LF separated lines.
FormatLine DescribeFormat(GraphScanner& scanner);

// How many of a format block's last bytes DescribeFormat leaves unshown for the rest-of-line
// skip (0 to 2), which takes a CR among them for the end of the line.
std::size_t FormatBytesLeftForLineEnd(const Guid& format_type, std::int32_t size);

}  // namespace mivalto

// The framing of a media type's format block: ten count characters, one separator, then that
// many raw bytes. The block is read whole; the reader passes it as the report shows it, the
// record a decoder reads from its start (when the block holds all of it), then the rest.
#pragma once

#include <cstdint>
#include <vector>

#include "mediatype/format_type_table.h"
#include "scan/graph_scanner.h"

namespace mivalto {

struct FormatBlock {
  std::int32_t size = 0;            // the count as read; negative counts stay as read
  std::vector<std::uint8_t> bytes;  // the whole block, when the count is positive
};

// With CurrentChar on the first count character: reads the count, the separator and the
// block's bytes (the count is checked against the file first). CurrentChar is then the first
// unit after the block, except that the one or two last bytes the format type's record does not
// hold stay where they are (see FormatBytesLeftForLineEnd): the rest-of-line skip passes them
// bytewise.
FormatBlock ReadFormatBlock(GraphScanner& scanner, const FormatType& type);

}  // namespace mivalto

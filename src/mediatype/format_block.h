// The framing of a media type's format block: ten count characters, one separator, then that
// many raw bytes. The block is read whole; a decoder reads its record from the start of the
// block, if the block holds all of it, and closing the block yields the note on the bytes it
// did not show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scan/graph_scanner.h"

namespace mivalto {

struct FormatBlockStart {
  std::int32_t size = 0;            // the count as read; negative counts stay as read
  std::vector<std::uint8_t> bytes;  // the whole block, when the count is positive
  bool record_read = false;         // the block holds a record of the size asked for
  std::int32_t remaining = 0;       // bytes of the block not yet passed
};

// With CurrentChar on the first count character: reads the count, the separator and the
// block's bytes (the count is checked against the file first), then passes a record of
// `record_size` bytes when the block holds it. An empty record is never passed. Afterwards
// CurrentChar holds the two bytes after what was passed.
FormatBlockStart ReadFormatBlock(GraphScanner& scanner, std::size_t record_size);

// Passes the remaining bytes when there are more than two and returns their note ("<N octets
// de données binaires >"); CurrentChar is then the first unit after the block. One or two
// leftover bytes are left for the rest-of-line skip, which scans bytewise; they get no note.
std::string SkipFormatBlockRest(GraphScanner& scanner, std::int32_t remaining);

}  // namespace mivalto

// The framing of a media type's format block: ten count characters, one separator, then that
// many raw bytes. A decoder reads its record from the start of the block, if the block holds
// all of it, and closes the block, which yields the note on the bytes it did not show.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "scan/graph_scanner.h"

namespace mivalto {

// With CurrentChar on the first count character: reads the count and the separator, then
// fills `record` when the block holds at least record.size() bytes; true when it did. An
// empty record is never read. Afterwards CurrentChar holds the two bytes after what was read.
bool ReadFormatBlock(GraphScanner& scanner, std::span<std::uint8_t> record);

// Passes the rest of the block when it is more than two bytes and returns their note ("<N
// octets de données binaires >"); CurrentChar is then the first unit after the block. One or
// two leftover bytes are left for the rest-of-line skip, which scans bytewise; they get no note.
std::string SkipFormatBlockRest(GraphScanner& scanner);

}  // namespace mivalto

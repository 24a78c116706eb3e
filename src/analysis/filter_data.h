// The data blocks of filter entries: a ten-digit count, a separator, the raw bytes. Each
// describer reads its block and leaves CurrentChar on the unit right after it, the CR that
// ends the entry's line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "scan/graph_scanner.h"

namespace mivalto {

struct FilterDataBlock {
  std::uint32_t size = 0;           // the count written in the graph
  std::vector<std::uint8_t> head;   // its first bytes, at most the amount asked for
};

// Only the head that a describer decodes is kept; the rest of a block is skipped.
FilterDataBlock ReadFilterDataBlock(GraphScanner& scanner, std::size_t keep);

// "<n octets de données binaires >" for a block of n bytes, nothing for an empty one.
std::string DescribeFilterData(GraphScanner& scanner);
// "Name {CLSID} cat= Label" of the wrapped DMO, with a note for bytes beyond its two GUIDs.
std::string DescribeDmoData(GraphScanner& scanner, const FilterCatalogue& catalogue);
// The wave format named by the ACM wrapper's block; "Inconnu" when the block is too short.
std::string DescribeAcmData(GraphScanner& scanner);
// The codec's four-character code in the AVI compressor's block; "Inconnu" when too short.
std::string DescribeAviEncoderData(GraphScanner& scanner);
// ": Name path" of the catalogue's device whose display name matches the stored device
// path, else ": Proxy " and the CLSID text; then the note on the block's size.
std::string DescribeDeviceData(GraphScanner& scanner, const FilterCatalogue& catalogue,
                               const std::string& guid_text);

}  // namespace mivalto

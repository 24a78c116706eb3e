// The data blocks of filter entries: a ten-digit count, a separator, the raw bytes. The block
// is read whole (its count checked against the file first), for the graph model to keep, and
// CurrentChar is left on the unit right after it, the CR that ends the entry's line; the
// describers then say what the block holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "model/graph_model.h"
#include "scan/graph_scanner.h"

namespace mivalto {

struct FilterDataBlock {
  std::uint32_t size = 0;           // the count written in the graph
  std::vector<std::uint8_t> bytes;  // all of them
};

// Leaves CurrentChar on the LF that ends the entry's line.
FilterDataBlock ReadFilterDataBlock(GraphScanner& scanner);

// What a data filter's block says, in words and as facts, and the catalogue's name of what it
// found, if any.
struct DataDescription {
  std::string text;
  std::optional<std::string> registered_name;
  WrappedFacts wraps;
};

// "<n octets de données binaires >" for a block of n bytes, nothing for an empty one.
std::string FilterDataNote(const FilterDataBlock& block);
// "Name {CLSID} cat= Label" of the wrapped DMO, with a note for bytes beyond its two GUIDs.
DataDescription DescribeDmoData(const FilterDataBlock& block, const FilterCatalogue& catalogue);
// The wave format named by the ACM wrapper's block; "Inconnu" when the block is too short.
DataDescription DescribeAcmData(const FilterDataBlock& block);
// The codec's four-character code in the AVI compressor's block; "Inconnu" when too short.
DataDescription DescribeAviEncoderData(const FilterDataBlock& block);
// "Name path" of the catalogue's device whose display name matches the stored device path
// (its name is the registered one), else "Proxy " and the CLSID text; then the note on the
// block's size.
DataDescription DescribeDeviceData(const FilterDataBlock& block, const FilterCatalogue& catalogue,
                                   const std::string& guid_text);

}  // namespace mivalto

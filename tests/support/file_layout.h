// Raw file layouts for tests: a graph text placed at the start of a chosen 512-byte sector
// behind filler sectors, and files cut short. No compound-document structure (see
// report/compound_file.h for that).
#pragma once

#include <cstddef>
#include <span>

#include "report/graph_file/compound_file.h"  // kSectorSize
#include "support/byte_writer.h"

namespace mivalto::testing {

// What fills the sectors before the text.
enum class SectorFill {
  kZeros,
  // Each sector starts with something close to a version line that a reader must reject:
  // "0001", "0004", "0003" in single bytes, "0003" one byte off, "000" and a unit whose
  // high byte is set, each followed by zeros.
  kDecoys,
};

// The content of one filler sector; `index` picks the decoy (they take turns).
ByteVector FillerSector(SectorFill fill, std::size_t index);

// A file whose text begins at byte 512 × sector: `sector` filler sectors, the text, then
// `trailing` zero bytes.
ByteVector PlaceAtSector(std::span<const std::uint8_t> text, std::size_t sector,
                         SectorFill fill = SectorFill::kZeros, std::size_t trailing = 0);

// The first n bytes (all of them when there are fewer).
ByteVector Truncate(std::span<const std::uint8_t> bytes, std::size_t n);

}  // namespace mivalto::testing

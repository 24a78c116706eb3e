#include "support/file_layout.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace mivalto::testing {
namespace {

// Starts of sectors that look like a version line but are not one.
const std::array<std::vector<std::uint8_t>, 5> kDecoys = {{
    {'0', 0, '0', 0, '0', 0, '1', 0, '\r', 0, '\n', 0},
    {'0', 0, '0', 0, '0', 0, '4', 0, '\r', 0, '\n', 0},
    {'0', '0', '0', '3', '\r', '\n'},
    {' ', '0', 0, '0', 0, '0', 0, '3', 0, '\r', 0, '\n', 0},
    {'0', 0, '0', 0, '0', 0, '2', 1, '\r', 0, '\n', 0},
}};

}  // namespace

ByteVector FillerSector(SectorFill fill, std::size_t index) {
  ByteVector sector(kSectorSize, 0);
  if (fill == SectorFill::kDecoys) {
    const std::vector<std::uint8_t>& decoy = kDecoys[index % kDecoys.size()];
    std::copy(decoy.begin(), decoy.end(), sector.begin());
  }
  return sector;
}

ByteVector PlaceAtSector(std::span<const std::uint8_t> text, std::size_t sector,
                         SectorFill fill, std::size_t trailing) {
  ByteVector file;
  file.reserve(sector * kSectorSize + text.size() + trailing);
  for (std::size_t i = 0; i < sector; ++i) {
    const ByteVector filler = FillerSector(fill, i);
    file.insert(file.end(), filler.begin(), filler.end());
  }
  file.insert(file.end(), text.begin(), text.end());
  file.insert(file.end(), trailing, 0);
  return file;
}

ByteVector Truncate(std::span<const std::uint8_t> bytes, std::size_t n) {
  return ByteVector(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(n, bytes.size())));
}

}  // namespace mivalto::testing

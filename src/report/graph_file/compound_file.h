// Graph files as compound documents: a valid compound document (version 3, 512-byte sectors)
// whose one stream, "ActiveMovieGraph", holds the graph text in contiguous sectors, the text
// beginning at the start of a sector, where GraphEdit's files have it and where the scanner
// looks for it. The .grf writer uses the default layout; tests place the stream elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace mivalto {

inline constexpr std::size_t kSectorSize = 512;
inline constexpr std::size_t kMiniStreamCutoff = 4096;

enum class StreamStorage {
  // As real writers do: the mini stream below 4096 bytes, regular sectors from there on.
  kAuto,
  // Regular sectors always; a shorter stream is padded with zero bytes to 4096, the smallest
  // stream that may live in regular sectors.
  kRegular,
  // The mini stream, whose container then starts at the stream's sector (below 4096 bytes).
  kMini,
};

struct CompoundLayout {
  // The stream begins at byte 512 × stream_sector. Unset: sector 6 (byte 3072, like most real
  // files) or, when the tables need more room, the first sector after them. Sectors between
  // the tables and the stream are free, zero-filled sectors.
  std::optional<std::size_t> stream_sector{};
  StreamStorage storage = StreamStorage::kAuto;
};

// The largest stream a version 3 document holds: its directory gives a size of 32 bits. The
// FAT grows with the stream, its sectors beyond the header's 109 listed in DIFAT sectors.
inline constexpr std::size_t kMaxCompoundStream = 0xFFFFFFFF;

// Throws std::invalid_argument for an empty stream, a stream sector that leaves no room for
// the tables (before sector 3, or 4 with a mini stream) or lies beyond kMaxCompoundStream's
// bytes, or a stream above kMaxCompoundStream.
std::vector<std::uint8_t> CompoundFile(std::span<const std::uint8_t> stream,
                                       const CompoundLayout& layout = {});

}  // namespace mivalto

// Whole graph files for tests: a valid compound document (version 3, 512-byte sectors) whose
// one stream, "ActiveMovieGraph", holds the graph text in contiguous sectors, the text
// beginning at the start of a chosen sector as GraphEdit's files have it.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "support/byte_writer.h"
#include "support/file_layout.h"

namespace mivalto::testing {

enum class StreamStorage {
  // As real writers do: the mini stream below 4096 bytes, regular sectors from there on.
  kAuto,
  // Regular sectors always; a shorter text is padded with zero bytes to 4096, the smallest
  // stream that may live in regular sectors.
  kRegular,
  // The mini stream, whose container then starts at the text sector (texts below 4096 bytes).
  kMini,
};

struct GraphFileOptions {
  // The text begins at byte 512 × text_sector. Unset: sector 6 (byte 3072, like most real
  // files) or, when the tables need more room, the first sector after them. Sectors between
  // the tables and the text are free sectors, filled as `fill` says.
  std::optional<std::size_t> text_sector{};
  StreamStorage storage = StreamStorage::kAuto;
  SectorFill fill = SectorFill::kZeros;
};

inline constexpr std::size_t kMiniStreamCutoff = 4096;

// Throws std::invalid_argument for an empty text, a text sector that leaves no room for the
// tables (before sector 3, or 4 with a mini stream) or a text of more than about 7 MB.
ByteVector MakeGraphFile(std::span<const std::uint8_t> text,
                         const GraphFileOptions& options = {});

}  // namespace mivalto::testing

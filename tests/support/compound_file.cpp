#include "support/compound_file.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace mivalto::testing {
namespace {

constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::size_t kEntriesPerSector = kSectorSize / 4;
constexpr std::size_t kHeaderFatSlots = 109;  // more FAT sectors would need DIFAT sectors
constexpr std::size_t kMiniSectorSize = 64;
constexpr std::size_t kDefaultTextSector = 6;

std::size_t CeilDiv(std::size_t a, std::size_t b) { return (a + b - 1) / b; }

// Where everything goes, in the document's own sector numbers (sector s lies at byte
// 512 × (s + 1), behind the header).
struct Plan {
  bool mini = false;
  std::size_t stream_size = 0;     // what the directory gives as the stream's size
  std::size_t fat_sectors = 0;     // sectors 0 .. fat_sectors - 1
  std::size_t directory = 0;       // then the directory, then the mini FAT when there is one
  std::size_t first_data = 0;      // the stream (or the mini stream's container)
  std::size_t data_sectors = 0;
  std::size_t mini_sectors = 0;

  std::size_t Tables() const { return fat_sectors + 1 + (mini ? 1 : 0); }
  std::size_t Sectors() const { return first_data + data_sectors; }
};

bool UseMiniStream(std::size_t size, StreamStorage storage) {
  if (storage == StreamStorage::kMini && size >= kMiniStreamCutoff) {
    throw std::invalid_argument("a mini stream holds less than 4096 bytes");
  }
  return storage == StreamStorage::kMini ||
         (storage == StreamStorage::kAuto && size < kMiniStreamCutoff);
}

// How many bytes the stream holds and how many sectors carry it.
Plan SizeStream(std::size_t text_size, StreamStorage storage) {
  if (text_size == 0) throw std::invalid_argument("an empty stream has no sector to place");
  Plan plan;
  plan.mini = UseMiniStream(text_size, storage);
  plan.stream_size = plan.mini ? text_size : std::max(text_size, kMiniStreamCutoff);
  plan.mini_sectors = plan.mini ? CeilDiv(text_size, kMiniSectorSize) : 0;
  plan.data_sectors = plan.mini ? CeilDiv(plan.mini_sectors * kMiniSectorSize, kSectorSize)
                                : CeilDiv(plan.stream_size, kSectorSize);
  return plan;
}

// The FAT must cover every sector up to the end of the stream, itself included.
Plan MakePlan(std::size_t text_size, const GraphFileOptions& options) {
  if (options.text_sector == 0u) throw std::invalid_argument("the header fills sector 0");
  Plan plan = SizeStream(text_size, options.storage);
  for (plan.fat_sectors = 1; plan.fat_sectors <= kHeaderFatSlots; ++plan.fat_sectors) {
    plan.first_data = options.text_sector ? *options.text_sector - 1
                                          : std::max(kDefaultTextSector - 1, plan.Tables());
    if (plan.fat_sectors * kEntriesPerSector >= plan.Sectors()) break;
  }
  if (plan.fat_sectors > kHeaderFatSlots) throw std::invalid_argument("text too large");
  if (plan.first_data < plan.Tables()) {
    throw std::invalid_argument("text sector " + std::to_string(plan.first_data + 1) +
                                " leaves no room for the tables");
  }
  plan.directory = plan.fat_sectors;
  return plan;
}

// A chain of `count` sectors from `first`, as FAT or mini FAT entries.
void WriteChain(std::vector<std::uint32_t>& table, std::size_t first, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    table[first + i] = i + 1 < count ? static_cast<std::uint32_t>(first + i + 1) : kEndOfChain;
  }
}

void WriteTable(ByteWriter& out, const std::vector<std::uint32_t>& table) {
  for (std::uint32_t entry : table) out.U32(entry);
}

void WriteHeader(ByteWriter& out, const Plan& plan) {
  out.Bytes(std::array<std::uint8_t, 8>{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1});
  out.Fill(16);                      // class id
  out.U16(0x003E).U16(0x0003);       // minor and major version
  out.U16(0xFFFE);                   // little-endian byte order mark
  out.U16(9).U16(6);                 // 512-byte sectors, 64-byte mini sectors
  out.Fill(6).U32(0);                // reserved; directory sector count (always 0 in v3)
  out.U32(static_cast<std::uint32_t>(plan.fat_sectors));
  out.U32(static_cast<std::uint32_t>(plan.directory));
  out.U32(0);                        // transaction signature
  out.U32(kMiniStreamCutoff);
  out.U32(plan.mini ? static_cast<std::uint32_t>(plan.directory + 1) : kEndOfChain);
  out.U32(plan.mini ? 1 : 0);        // mini FAT sectors
  out.U32(kEndOfChain).U32(0);       // no DIFAT sectors
  for (std::size_t i = 0; i < kHeaderFatSlots; ++i) {
    out.U32(i < plan.fat_sectors ? static_cast<std::uint32_t>(i) : kFreeSector);
  }
}

void WriteFat(ByteWriter& out, const Plan& plan) {
  std::vector<std::uint32_t> fat(plan.fat_sectors * kEntriesPerSector, kFreeSector);
  std::fill_n(fat.begin(), plan.fat_sectors, kFatSector);
  WriteChain(fat, plan.directory, 1);
  if (plan.mini) WriteChain(fat, plan.directory + 1, 1);
  WriteChain(fat, plan.first_data, plan.data_sectors);
  WriteTable(out, fat);
}

struct DirectoryEntry {
  std::string_view name;
  std::uint8_t type = 0;  // 5 root storage, 2 stream, 0 unused
  std::uint32_t child = kNoStream;
  std::uint32_t start = 0;
  std::size_t size = 0;
};

void WriteDirectoryEntry(ByteWriter& out, const DirectoryEntry& entry) {
  ByteWriter name;
  name.Utf16(entry.name);
  const std::size_t name_bytes = entry.name.empty() ? 0 : name.Size() + 2;  // with its NUL
  out.Bytes(name.Result()).Fill(64 - name.Size());
  out.U16(static_cast<std::uint16_t>(name_bytes)).U8(entry.type);
  out.U8(entry.type == 0 ? 0 : 1);  // black
  out.U32(kNoStream).U32(kNoStream).U32(entry.child);
  out.Fill(16 + 4 + 8 + 8);         // class id, state bits, creation and change times
  out.U32(entry.start).U64(entry.size);
}

void WriteDirectory(ByteWriter& out, const Plan& plan) {
  const auto first_data = static_cast<std::uint32_t>(plan.first_data);
  WriteDirectoryEntry(out, {.name = "Root Entry",
                            .type = 5,
                            .child = 1,
                            .start = plan.mini ? first_data : kEndOfChain,
                            .size = plan.mini_sectors * kMiniSectorSize});
  WriteDirectoryEntry(out, {.name = "ActiveMovieGraph",
                            .type = 2,
                            .start = plan.mini ? 0 : first_data,
                            .size = plan.stream_size});
  WriteDirectoryEntry(out, {});
  WriteDirectoryEntry(out, {});
}

void WriteMiniFat(ByteWriter& out, const Plan& plan) {
  std::vector<std::uint32_t> mini_fat(kEntriesPerSector, kFreeSector);
  WriteChain(mini_fat, 0, plan.mini_sectors);
  WriteTable(out, mini_fat);
}

}  // namespace

ByteVector MakeGraphFile(std::span<const std::uint8_t> text, const GraphFileOptions& options) {
  const Plan plan = MakePlan(text.size(), options);
  ByteWriter out;
  WriteHeader(out, plan);
  WriteFat(out, plan);
  WriteDirectory(out, plan);
  if (plan.mini) WriteMiniFat(out, plan);
  for (std::size_t sector = plan.Tables(); sector < plan.first_data; ++sector) {
    out.Bytes(FillerSector(options.fill, sector));
  }
  out.Bytes(text);
  out.Fill((plan.Sectors() + 1) * kSectorSize - out.Size());
  return out.Result();
}

}  // namespace mivalto::testing

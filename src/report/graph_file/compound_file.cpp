#include "report/graph_file/compound_file.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/le_bytes.h"
#include "base/text_encoding.h"

namespace mivalto {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::size_t kEntriesPerSector = kSectorSize / 4;
constexpr std::size_t kHeaderFatSlots = 109;  // the FAT sectors after these: DIFAT sectors
constexpr std::size_t kDifatSlots = kEntriesPerSector - 1;  // the last names the next
constexpr std::size_t kMiniSectorSize = 64;
constexpr std::size_t kDefaultStreamSector = 6;

std::size_t CeilDiv(std::size_t a, std::size_t b) { return (a + b - 1) / b; }

void Fill(Bytes& out, std::size_t count) { out.insert(out.end(), count, 0); }

// Where everything goes, in the document's own sector numbers (sector s lies at byte
// 512 × (s + 1), behind the header).
struct Plan {
  bool mini = false;
  std::size_t stream_size = 0;     // what the directory gives as the stream's size
  std::size_t fat_sectors = 0;     // sectors 0 .. fat_sectors - 1
  std::size_t difat_sectors = 0;   // then these, naming the FAT sectors beyond the header's
  std::size_t directory = 0;       // then the directory, then the mini FAT when there is one
  std::size_t first_data = 0;      // the stream (or the mini stream's container)
  std::size_t data_sectors = 0;
  std::size_t mini_sectors = 0;

  std::size_t Tables() const { return fat_sectors + difat_sectors + 1 + (mini ? 1 : 0); }
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
Plan SizeStream(std::size_t size, StreamStorage storage) {
  if (size == 0) throw std::invalid_argument("an empty stream has no sector to place");
  if (size > kMaxCompoundStream) throw std::invalid_argument("stream too large");
  Plan plan;
  plan.mini = UseMiniStream(size, storage);
  plan.stream_size = plan.mini ? size : std::max(size, kMiniStreamCutoff);
  plan.mini_sectors = plan.mini ? CeilDiv(size, kMiniSectorSize) : 0;
  plan.data_sectors = plan.mini ? CeilDiv(plan.mini_sectors * kMiniSectorSize, kSectorSize)
                                : CeilDiv(plan.stream_size, kSectorSize);
  return plan;
}

std::size_t DifatSectorsFor(std::size_t fat_sectors) {
  return fat_sectors > kHeaderFatSlots ? CeilDiv(fat_sectors - kHeaderFatSlots, kDifatSlots) : 0;
}

// The FAT must cover every sector up to the end of the stream, itself included.
Plan MakePlan(std::size_t size, const CompoundLayout& layout) {
  if (layout.stream_sector == 0u) throw std::invalid_argument("the header fills sector 0");
  if (layout.stream_sector > kMaxCompoundStream / kSectorSize) {
    throw std::invalid_argument("stream sector beyond what the document addresses");
  }
  Plan plan = SizeStream(size, layout.storage);
  for (plan.fat_sectors = 1;; ++plan.fat_sectors) {
    plan.difat_sectors = DifatSectorsFor(plan.fat_sectors);
    plan.first_data = layout.stream_sector
                          ? *layout.stream_sector - 1
                          : std::max(kDefaultStreamSector - 1, plan.Tables());
    if (plan.fat_sectors * kEntriesPerSector >= plan.Sectors()) break;
  }
  if (plan.first_data < plan.Tables()) {
    throw std::invalid_argument("stream sector " + std::to_string(plan.first_data + 1) +
                                " leaves no room for the tables");
  }
  plan.directory = plan.fat_sectors + plan.difat_sectors;
  return plan;
}

// A chain of `count` sectors from `first`, as FAT or mini FAT entries.
void WriteChain(std::vector<std::uint32_t>& table, std::size_t first, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    table[first + i] = i + 1 < count ? static_cast<std::uint32_t>(first + i + 1) : kEndOfChain;
  }
}

void WriteTable(Bytes& out, const std::vector<std::uint32_t>& table) {
  for (std::uint32_t entry : table) AppendLeU32(out, entry);
}

std::uint32_t FirstDifatSector(const Plan& plan) {
  return plan.difat_sectors ? static_cast<std::uint32_t>(plan.fat_sectors) : kEndOfChain;
}

// FAT sector numbers from `first` on, `count` slots, free past the last FAT sector.
void WriteFatSectorList(Bytes& out, const Plan& plan, std::size_t first, std::size_t count) {
  for (std::size_t i = first; i < first + count; ++i) {
    AppendLeU32(out, i < plan.fat_sectors ? static_cast<std::uint32_t>(i) : kFreeSector);
  }
}

void WriteHeader(Bytes& out, const Plan& plan) {
  constexpr std::array<std::uint8_t, 8> kSignature = {0xD0, 0xCF, 0x11, 0xE0,
                                                      0xA1, 0xB1, 0x1A, 0xE1};
  for (const std::uint8_t byte : kSignature) out.push_back(byte);
  Fill(out, 16);                                 // class id
  AppendLeU16(out, 0x003E);                      // minor version
  AppendLeU16(out, 0x0003);                      // major version
  AppendLeU16(out, 0xFFFE);                      // little-endian byte order mark
  AppendLeU16(out, 9);                           // 512-byte sectors
  AppendLeU16(out, 6);                           // 64-byte mini sectors
  Fill(out, 6);                                  // reserved
  AppendLeU32(out, 0);                           // directory sector count (always 0 in v3)
  AppendLeU32(out, static_cast<std::uint32_t>(plan.fat_sectors));
  AppendLeU32(out, static_cast<std::uint32_t>(plan.directory));
  AppendLeU32(out, 0);                           // transaction signature
  AppendLeU32(out, kMiniStreamCutoff);
  AppendLeU32(out, plan.mini ? static_cast<std::uint32_t>(plan.directory + 1) : kEndOfChain);
  AppendLeU32(out, plan.mini ? 1 : 0);           // mini FAT sectors
  AppendLeU32(out, FirstDifatSector(plan));
  AppendLeU32(out, static_cast<std::uint32_t>(plan.difat_sectors));
  WriteFatSectorList(out, plan, 0, kHeaderFatSlots);
}

// Each DIFAT sector lists the next FAT sectors and ends with the next DIFAT sector's number.
void WriteDifat(Bytes& out, const Plan& plan) {
  for (std::size_t d = 0; d < plan.difat_sectors; ++d) {
    WriteFatSectorList(out, plan, kHeaderFatSlots + d * kDifatSlots, kDifatSlots);
    const bool last = d + 1 == plan.difat_sectors;
    AppendLeU32(out, last ? kEndOfChain : static_cast<std::uint32_t>(plan.fat_sectors + d + 1));
  }
}

void WriteFat(Bytes& out, const Plan& plan) {
  std::vector<std::uint32_t> fat(plan.fat_sectors * kEntriesPerSector, kFreeSector);
  std::fill_n(fat.begin(), plan.fat_sectors, kFatSector);
  std::fill_n(fat.begin() + static_cast<std::ptrdiff_t>(plan.fat_sectors), plan.difat_sectors,
              kDifatSector);
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

void WriteDirectoryEntry(Bytes& out, const DirectoryEntry& entry) {
  const std::u16string name = Utf16FromUtf8(entry.name);
  for (const char16_t unit : name) AppendLeU16(out, unit);
  Fill(out, 64 - 2 * name.size());
  AppendLeU16(out, static_cast<std::uint16_t>(name.empty() ? 0 : 2 * name.size() + 2));
  out.push_back(entry.type);
  out.push_back(entry.type == 0 ? 0 : 1);  // black
  AppendLeU32(out, kNoStream);             // left and right siblings
  AppendLeU32(out, kNoStream);
  AppendLeU32(out, entry.child);
  Fill(out, 16 + 4 + 8 + 8);  // class id, state bits, creation and change times
  AppendLeU32(out, entry.start);
  AppendLeU64(out, entry.size);
}

void WriteDirectory(Bytes& out, const Plan& plan) {
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

void WriteMiniFat(Bytes& out, const Plan& plan) {
  std::vector<std::uint32_t> mini_fat(kEntriesPerSector, kFreeSector);
  WriteChain(mini_fat, 0, plan.mini_sectors);
  WriteTable(out, mini_fat);
}

}  // namespace

std::vector<std::uint8_t> CompoundFile(std::span<const std::uint8_t> stream,
                                       const CompoundLayout& layout) {
  const Plan plan = MakePlan(stream.size(), layout);
  Bytes out;
  out.reserve((plan.Sectors() + 1) * kSectorSize);
  WriteHeader(out, plan);
  WriteFat(out, plan);
  WriteDifat(out, plan);
  WriteDirectory(out, plan);
  if (plan.mini) WriteMiniFat(out, plan);
  Fill(out, (plan.first_data + 1) * kSectorSize - out.size());  // free sectors
  out.insert(out.end(), stream.begin(), stream.end());
  Fill(out, (plan.Sectors() + 1) * kSectorSize - out.size());
  return out;
}

}  // namespace mivalto

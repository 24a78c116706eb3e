#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/large_memory.h"
#include "report/graph_file/compound_file.h"
#include "support/graph_text.h"

namespace mivalto::testing {
namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;

std::uint32_t U32(const ByteVector& b, std::size_t at) {
  return b.at(at) | (b.at(at + 1) << 8) | (b.at(at + 2) << 16) | (std::uint32_t(b.at(at + 3)) << 24);
}

// A reader that goes the way a compound-document library does, through the header's FAT
// list and the DIFAT sectors, the directory and the mini stream, to check that the documents
// are valid.
class DocumentReader {
 public:
  explicit DocumentReader(const ByteVector& file) : file_(file) {
    for (std::size_t i = 0; i < FatSectorList().size(); ++i) {
      const std::size_t at = SectorOffset(FatSectorList()[i]);
      for (std::size_t k = 0; k < kSectorSize; k += 4) fat_.push_back(U32(file_, at + k));
    }
  }

  // The header's 109 slots, then 127 in each DIFAT sector, as many as the header counts.
  std::vector<std::uint32_t> FatSectorList() const {
    std::vector<std::uint32_t> list;
    for (std::size_t i = 0; i < 109; ++i) list.push_back(U32(file_, 76 + 4 * i));
    std::uint32_t difat = U32(file_, 68);
    for (std::uint32_t d = 0; d < U32(file_, 72); ++d) {
      for (std::size_t k = 0; k < 508; k += 4) list.push_back(U32(file_, SectorOffset(difat) + k));
      difat = U32(file_, SectorOffset(difat) + 508);
    }
    if (difat != kEndOfChain) throw std::runtime_error("DIFAT chain not ended");
    list.resize(U32(file_, 44));
    return list;
  }

  static std::size_t SectorOffset(std::uint32_t sector) { return (sector + 1) * kSectorSize; }

  std::vector<std::uint32_t> Chain(std::uint32_t start, const std::vector<std::uint32_t>& table) const {
    std::vector<std::uint32_t> chain;
    for (std::uint32_t s = start; s != kEndOfChain; s = table.at(s)) {
      chain.push_back(s);
      if (chain.size() > table.size()) throw std::runtime_error("chain loops");
    }
    return chain;
  }

  ByteVector ReadChain(std::uint32_t start) const {
    ByteVector bytes;
    for (std::uint32_t s : Chain(start, fat_)) {
      const auto at = file_.begin() + static_cast<std::ptrdiff_t>(SectorOffset(s));
      bytes.insert(bytes.end(), at, at + kSectorSize);
    }
    return bytes;
  }

  // The stream's bytes, read through the mini stream below the cutoff.
  ByteVector ReadStream(const std::string& name) const {
    const ByteVector directory = ReadChain(U32(file_, 48));
    for (std::size_t at = 0; at < directory.size(); at += 128) {
      if (EntryName(directory, at) != name) continue;
      const std::uint32_t start = U32(directory, at + 116), size = U32(directory, at + 120);
      ByteVector bytes = size < U32(file_, 56) ? ReadMini(directory, start) : ReadChain(start);
      bytes.resize(size);
      return bytes;
    }
    throw std::runtime_error("no stream " + name);
  }

  std::uint32_t RootStart() const { return U32(ReadChain(U32(file_, 48)), 116); }
  const std::vector<std::uint32_t>& Fat() const { return fat_; }

 private:
  static std::string EntryName(const ByteVector& directory, std::size_t at) {
    std::string name;
    const std::size_t bytes = directory[at + 64] | (directory[at + 65] << 8);
    for (std::size_t k = 0; k + 2 < bytes; k += 2) name += static_cast<char>(directory[at + k]);
    return name;
  }

  ByteVector ReadMini(const ByteVector& directory, std::uint32_t start) const {
    const ByteVector container = ReadChain(U32(directory, 116));  // the root entry's stream
    const ByteVector mini_fat_bytes = ReadChain(U32(file_, 60));
    std::vector<std::uint32_t> mini_fat;
    for (std::size_t k = 0; k < mini_fat_bytes.size(); k += 4) mini_fat.push_back(U32(mini_fat_bytes, k));
    ByteVector bytes;
    for (std::uint32_t s : Chain(start, mini_fat)) {
      const auto at = container.begin() + static_cast<std::ptrdiff_t>(s * 64);
      bytes.insert(bytes.end(), at, at + 64);
    }
    return bytes;
  }

  const ByteVector& file_;
  std::vector<std::uint32_t> fat_;
};

ByteVector TextOfSize(std::size_t size) {
  GraphText text;
  text.Line("0003").Line("FILTERS");
  while (text.Size() + 2 <= size) text.Units({static_cast<std::uint16_t>('a' + text.Size() % 26)});
  if (text.Size() < size) text.Raw(ByteVector{0x5A});
  return text.Bytes();
}

TEST(CompoundFileTest, HeaderFields) {
  const ByteVector file = CompoundFile(TextOfSize(300));
  const ByteVector signature{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  EXPECT_EQ(ByteVector(file.begin(), file.begin() + 8), signature);
  EXPECT_EQ(U32(file, 24), 0x0003003Eu);  // minor 0x3E, major 3
  EXPECT_EQ(U32(file, 28), 0x0009FFFEu);  // byte order mark, 512-byte sectors
  EXPECT_EQ(file[32] | (file[33] << 8), 6);  // 64-byte mini sectors
  EXPECT_EQ(U32(file, 40), 0u);
  EXPECT_EQ(U32(file, 44), 1u);              // one FAT sector...
  EXPECT_EQ(U32(file, 76), 0u);              // ...at sector 0
  EXPECT_EQ(U32(file, 80), 0xFFFFFFFFu);
  EXPECT_EQ(U32(file, 48), 1u);              // directory after it
  EXPECT_EQ(U32(file, 56), 4096u);
  EXPECT_EQ(U32(file, 60), 2u);              // mini FAT after the directory
  EXPECT_EQ(U32(file, 64), 1u);
  EXPECT_EQ(U32(file, 68), kEndOfChain);     // no DIFAT sectors
  EXPECT_EQ(file.size() % kSectorSize, 0u);
}

TEST(CompoundFileTest, StreamReadsBackAndStartsAtTheChosenSector) {
  const struct {
    std::size_t text_size;
    CompoundLayout layout;
    std::size_t sector;         // where the text must begin
    std::size_t stream_size;    // as the directory gives it
  } rows[] = {
      {300, {}, 6, 300},                                              // mini stream
      {301, {.stream_sector = 4}, 4, 301},                            // odd, earliest sector
      {4095, {.stream_sector = 9}, 9, 4095},
      {300, {.storage = StreamStorage::kRegular}, 6, 4096},           // padded past the cutoff
      {300, {.stream_sector = 3, .storage = StreamStorage::kRegular}, 3, 4096},
      {4096, {}, 6, 4096},
      {70000, {.stream_sector = 5}, 5, 70000},                        // two FAT sectors
      {300000, {}, 7, 300000},  // five FAT sectors and the directory: sector 6 is taken
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text_size);
    const ByteVector text = TextOfSize(row.text_size);
    const ByteVector file = CompoundFile(text, row.layout);
    const DocumentReader reader(file);
    ByteVector stream = reader.ReadStream("ActiveMovieGraph");
    ASSERT_EQ(stream.size(), row.stream_size);
    EXPECT_TRUE(std::all_of(stream.begin() + static_cast<std::ptrdiff_t>(text.size()),
                            stream.end(), [](std::uint8_t b) { return b == 0; }));
    stream.resize(text.size());
    EXPECT_EQ(stream, text);
    ASSERT_GE(file.size(), row.sector * kSectorSize + text.size());
    EXPECT_TRUE(std::equal(text.begin(), text.end(),
                           file.begin() + static_cast<std::ptrdiff_t>(row.sector * kSectorSize)));
  }
}

// Each FAT sector covers 128 sectors, its own and the other tables' included; past the header's
// 109 FAT sectors, each DIFAT sector lists 127 more. On each side of the stream sizes where
// one more is needed, the tables cover the whole file and the chains give the stream back.
TEST(CompoundFileTest, StreamsAcrossTheFatBoundariesReadBack) {
  const auto difat_for = [](std::size_t fat) -> std::size_t {
    return fat <= 109 ? 0 : (fat - 109 + 126) / 127;
  };
  for (const std::size_t fat_sectors : {1, 2, 3, 109, 110, 236, 237}) {
    const std::size_t first_data = std::max<std::size_t>(5, fat_sectors + difat_for(fat_sectors) + 1);
    const std::size_t full = (128 * fat_sectors - first_data) * kSectorSize;
    for (const std::size_t size : {full - 511, full, full + 1}) {
      SCOPED_TRACE(size);
      ByteVector stream(size);
      for (std::size_t i = 0; i < size; ++i) stream[i] = static_cast<std::uint8_t>(i % 251);
      const ByteVector file = CompoundFile(stream);
      const DocumentReader reader(file);
      ASSERT_GE(reader.Fat().size(), file.size() / kSectorSize - 1);
      const std::vector<std::uint32_t> fat_list = reader.FatSectorList();
      const std::size_t fat_now = fat_sectors + (size > full ? 1 : 0);
      EXPECT_EQ(fat_list.size(), fat_now);
      EXPECT_EQ(U32(file, 72), difat_for(fat_now));
      for (const std::uint32_t sector : fat_list) EXPECT_EQ(reader.Fat().at(sector), 0xFFFFFFFDu);
      EXPECT_EQ(reader.ReadStream("ActiveMovieGraph"), stream);
    }
  }
}

TEST(CompoundFileTest, SectorsBeforeTheStreamAreFree) {
  const ByteVector file = CompoundFile(TextOfSize(600), {.stream_sector = 8});
  const DocumentReader reader(file);
  EXPECT_EQ(reader.RootStart(), 7u);
  for (std::uint32_t sector = 3; sector < 7; ++sector) {
    EXPECT_EQ(reader.Fat().at(sector), 0xFFFFFFFFu) << sector;
  }
}

TEST(CompoundFileTest, ImpossibleLayoutsAreRefused) {
  const ByteVector small = TextOfSize(100);
  EXPECT_THROW(CompoundFile({}), std::invalid_argument);
  EXPECT_THROW(CompoundFile(small, {.stream_sector = 0}), std::invalid_argument);
  EXPECT_THROW(CompoundFile(small, {.stream_sector = 3}), std::invalid_argument);  // + mini FAT
  EXPECT_THROW(CompoundFile(small, {.stream_sector = 2, .storage = StreamStorage::kRegular}),
               std::invalid_argument);
  EXPECT_THROW(CompoundFile(TextOfSize(4096), {.storage = StreamStorage::kMini}),
               std::invalid_argument);
  // Never touched: the size alone is refused.
  const LargeMemoryBlock beyond = AllocateLargeBlock(kMaxCompoundStream + 1);
  const auto* beyond_bytes = reinterpret_cast<const std::uint8_t*>(beyond.get());
  EXPECT_THROW(CompoundFile({beyond_bytes, kMaxCompoundStream + 1}), std::invalid_argument);
  EXPECT_THROW(CompoundFile(small, {.stream_sector = std::size_t{1} << 40}), std::invalid_argument);
}

}  // namespace
}  // namespace mivalto::testing

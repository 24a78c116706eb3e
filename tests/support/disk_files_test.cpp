#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/sample_graphs.h"
#include "support/temp_file.h"
#include "support/test_files.h"

namespace mivalto::testing {
namespace {

ByteVector ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteVector(std::istreambuf_iterator<char>(in), {});
}

TEST(TempFileTest, WritesUnderANonAsciiNameAndRemovesIt) {
  const ByteVector bytes{0x30, 0x00, 0x0D};
  std::filesystem::path path;
  {
    const TempFile file(bytes, "graphe é.grf");
    path = file.Path();
    EXPECT_EQ(ReadWhole(path), bytes);
    EXPECT_EQ(path.parent_path(), TempFolder());
    EXPECT_NE(file.Utf8().find("graphe é.grf"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(ReadWhole(WriteTempFile(bytes, "kept.grf")), bytes);
}

// The committed samples are what the sample program writes today.
TEST(SamplesTest, CommittedSamplesMatchTheBuilders) {
  const std::filesystem::path folder = std::filesystem::u8path(SamplesDir());
  if (!std::filesystem::is_directory(folder)) {
    GTEST_SKIP() << "the samples folder is not visible from here: " << folder;
  }
  for (const SampleFile& sample : SampleFiles()) {
    EXPECT_EQ(ReadWhole(folder / sample.name), sample.bytes)
        << sample.name << ": run mivalto-make-samples " << folder;
  }
}

}  // namespace
}  // namespace mivalto::testing

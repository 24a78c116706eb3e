// The .grf writer against the reader, over every real file and sample: the model is written
// as a graph file, read back to the same model and written again to the same stream; a file in
// the dialect DirectShow writes holds that very stream where its graph text begins (the
// corruption sweep does the same for every single-byte change that still reads whole).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "report/compound_file.h"
#include "model/graph_stream.h"
#include "sweeps/sweep_files.h"

namespace mivalto::testing {
namespace {

// Files written by another writer: a space before each format type, a NUL after its block.
constexpr std::string_view kOtherDialect[] = {
    "odd-format-block.grf",
    "cutepig123__videofeaturetracking__deng.avi.grf",
};

bool InOtherDialect(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  return std::find(std::begin(kOtherDialect), std::end(kOtherDialect), name) != std::end(kOtherDialect);
}

bool HoldsAtASector(const ByteVector& file, const ByteVector& stream) {
  for (std::size_t at = kSectorSize; at + stream.size() <= file.size(); at += kSectorSize) {
    if (std::equal(stream.begin(), stream.end(), file.begin() + static_cast<std::ptrdiff_t>(at))) {
      return true;
    }
  }
  return false;
}

class RoundTrip : public ::testing::TestWithParam<SweepFile> {};

TEST_P(RoundTrip, WritesTheModelBack) {
  const ByteVector file = ReadWholeFile(GetParam().path);
  const Analysed read = AnalyseExactCopy(file);
  ASSERT_TRUE(read.result.complete) << read.result.stop_reason;
  EXPECT_EQ(RoundTripFault(read.result.graph), "");
  EXPECT_EQ(HoldsAtASector(file, GraphStream(read.result.graph)), !InOtherDialect(GetParam().path));
}

INSTANTIATE_TEST_SUITE_P(Files, RoundTrip, ::testing::ValuesIn(CorpusAndSamples()),
                         [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace mivalto::testing

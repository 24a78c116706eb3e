// The .grf writer against the reader, over every real file and sample: the model is written
// as a graph file, read back to the same model and written again to the same stream; a file in
// the dialect DirectShow writes holds that very stream where its graph text begins (the
// corruption sweep does the same for every single-byte change that still reads whole).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "report/graph_file/compound_file.h"
#include "report/graph_file/graph_stream.h"
#include "support/graph_text.h"
#include "support/guid_texts.h"
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

// A format block whose count reaches into its line end (the CR, or the CR and its partner byte,
// counted as block bytes): the line end's rest follows the block, and the model is written
// back as that very stream.
TEST(RoundTripOf, FormatBlockReachingIntoItsLineEnd) {
  const struct {
    const char* name;
    ByteVector block_end;  // after an 18-byte WAVEFORMATEX
    ByteVector line_end;   // what follows the block
  } rows[] = {
      {"cr", {'\r'}, {0, '\n', 0}},
      {"cr and its partner", {'\r', 0}, {'\n', 0}},
      {"a byte, then cr", {0x22, '\r'}, {0, '\n', 0}},
      {"two bytes", {0x22, 0x33}, {'\r', 0, '\n', 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    MediaTypeEntry media{.major_type = std::string(guids::kMajorAudio),
                         .subtype = std::string(guids::kSubtypePcm),
                         .format_type = std::string(guids::kFormatWaveFormatEx),
                         .format = ByteVector(18, 0x11)};
    media.format.insert(media.format.end(), row.block_end.begin(), row.block_end.end());
    const ByteVector media_bytes = GraphText().Media(media).Bytes();
    GraphText text;
    text.Line("0003").Line("FILTERS");
    text.Filter({.number = "0001", .name = "A", .clsid = std::string(guids::kAsyncFileSource)});
    text.Filter({.number = "0002", .name = "B", .clsid = std::string(guids::kAudioRenderer)});
    text.Line("CONNECTIONS").Text("0001 \"Out\" 0002 \"In\" ");
    text.Text(TenDigits(static_cast<std::uint32_t>(media_bytes.size()))).Text(" ");
    text.Raw(media_bytes).Raw(row.line_end).Clock("0001").End();
    const Analysed read = AnalyseExactCopy(CompoundFile(text.Bytes()));
    ASSERT_TRUE(read.result.complete) << read.result.stop_reason;
    EXPECT_EQ(GraphStream(read.result.graph), text.Bytes());
    EXPECT_EQ(RoundTripFault(read.result.graph), "");
  }
}

}  // namespace
}  // namespace mivalto::testing

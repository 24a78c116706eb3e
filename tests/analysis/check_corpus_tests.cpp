// The check of real graph files and of our samples, as a golden list: every finding of every
// file, with the byte where its field lies in the file (each was looked up with a hex editor).
// A file not listed has none. What this machine lacks (machine.*) is not the file's.
#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/analysis_driver.h"
#include "analysis/fixed_calendar.h"
#include "support/test_files.h"

namespace mivalto {
namespace {

struct GoldenFinding {
  std::string_view file;
  std::string_view rule;
  Severity severity;
  int connection;
  std::string_view field;
  std::uint64_t file_offset;
};

constexpr std::string_view kRoxio = "warrenseymour__RoxioGameCap__preview.grf";
constexpr std::string_view kYo = "rdp__virtual-audio-capture-grabber-device__yo.grf";
constexpr std::string_view kOddBlock = "odd-format-block.grf";

constexpr GoldenFinding kGolden[] = {
    // The capture's AAC audio: wFormatTag 0 where the subtype carries 0x00FF.
    {kRoxio, "audio.subtype-tag", Severity::kWarning, 6, "FormatTag", 8908},
    // The colour converter's YUY2 output to the renderer, 1920 × -1088.
    {kRoxio, "video.height-sign", Severity::kWarning, 7, "biHeight", 9376},
    // PCM in buffers of 32768 and 88200 bytes: a convention, not a fault.
    {kRoxio, "audio.sample-size", Severity::kNote, 8, "lSampleSize", 10728},
    {kYo, "audio.sample-size", Severity::kNote, 1, "lSampleSize", 3776},
    {kOddBlock, "audio.sample-size", Severity::kNote, 2, "lSampleSize", 4053},
};

std::vector<GoldenFinding> Checked(const std::string& folder, const std::string& name) {
  const std::string path = folder + "/" + name;
  ReportView view;
  const AnalysisResult result = AnalyseFile(path, path, {}, testing::FixedCalendar(), view);
  EXPECT_TRUE(result.complete) << name;
  std::vector<GoldenFinding> found;
  for (const Finding& f : result.findings) {
    if (f.rule.starts_with("machine.")) continue;
    EXPECT_EQ(f.text_offset.value_or(0) + result.places.text_start, f.file_offset) << f.rule;
    found.push_back({{}, f.rule, f.severity, f.number, f.field, f.file_offset.value_or(0)});
  }
  return found;
}

void ExpectGolden(const std::string& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(folder))) {
    if (entry.path().extension() != ".grf") continue;
    const std::u8string utf8 = entry.path().filename().u8string();
    const std::string name(utf8.begin(), utf8.end());
    std::vector<GoldenFinding> expected;
    for (const GoldenFinding& golden : kGolden) {
      if (golden.file == name) expected.push_back(golden);
    }
    const std::vector<GoldenFinding> found = Checked(folder, name);
    ASSERT_EQ(found.size(), expected.size()) << name;
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_EQ(found[i].rule, expected[i].rule) << name;
      EXPECT_EQ(found[i].severity, expected[i].severity) << name << " " << found[i].rule;
      EXPECT_EQ(found[i].connection, expected[i].connection) << name << " " << found[i].rule;
      EXPECT_EQ(found[i].field, expected[i].field) << name << " " << found[i].rule;
      EXPECT_EQ(found[i].file_offset, expected[i].file_offset) << name << " " << found[i].rule;
    }
  }
}

TEST(CheckGolden, CorpusFilesGiveTheirKnownFindings) {
  const std::optional<std::string> corpus = testing::CorpusDir();
  if (!corpus) GTEST_SKIP() << testing::kNoCorpus;
  ExpectGolden(*corpus);
}

TEST(CheckGolden, SamplesGiveTheirKnownFindings) { ExpectGolden(testing::SamplesDir()); }

}  // namespace
}  // namespace mivalto

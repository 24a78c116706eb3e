// Every single-byte change of a few graph files: whatever the byte becomes, the walk ends
// (complete or with a reason), the report stays in proportion to the file, and a complete
// walk's model is written back as a graph file that reads back the same.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/test_files.h"
#include "sweeps/sweep_files.h"

namespace mivalto::testing {
namespace {

using ::testing::IsEmpty;

// The smallest real files (one filter, a clock line each) and the sample that holds every
// filter kind and format decoder.
struct ChangedFile {
  const char* label;
  bool in_corpus;  // else in the samples
  const char* name;
  friend void PrintTo(const ChangedFile& file, std::ostream* out) { *out << file.name; }
};

const ChangedFile kChangedFiles[] = {
    {"CorpusPush2", true, "rdp__screen-capture-recorder-to-video-windows-free__push2__8393e4d.grf"},
    {"CorpusScreenCaptureRecorder", true,
     "rdp-org__avisynth-as-directshow-capture__screen-capture-recorder__6a60374.grf"},
    {"SampleCapturePreview", false, "capture-preview.grf"},
};

// Each byte becomes its complement (digits stop being digits, NUL becomes 0xFF), NUL (ends
// texts and counts early) and '9' (a count digit that makes a block reach far).
constexpr std::uint8_t (*kChanges[])(std::uint8_t) = {
    [](std::uint8_t b) { return static_cast<std::uint8_t>(b ^ 0xFF); },
    [](std::uint8_t) { return std::uint8_t{0}; },
    [](std::uint8_t) { return std::uint8_t{'9'}; },
};

// Far more than any report needs: a line per filter, a few per format field.
constexpr std::size_t kMaxReportBytesPerFileByte = 8;

std::size_t ReportBytes(const std::vector<KeptLine>& lines) {
  std::size_t total = 0;
  for (const KeptLine& line : lines) total += line.text.size() + 2;
  return total;
}

class CorruptionSweep : public ::testing::TestWithParam<ChangedFile> {};

TEST_P(CorruptionSweep, EverySingleByteChangeEndsTheWalk) {
  const std::optional<std::string> folder = GetParam().in_corpus ? CorpusDir() : SamplesDir();
  if (!folder) GTEST_SKIP() << kNoCorpus;
  const std::string path = *folder + "/" + GetParam().name;
  ASSERT_TRUE(IsFile(path));
  ByteVector file = ReadWholeFile(path);
  ASSERT_FALSE(file.empty()) << path;
  // Offsets, grouped by what went wrong there.
  std::vector<std::size_t> stopped_without_reason, report_too_large, not_written_back;
  for (std::size_t offset = 0; offset < file.size(); ++offset) {
    const std::uint8_t original = file[offset];
    for (const auto change : kChanges) {
      file[offset] = change(original);
      if (file[offset] == original) continue;
      const Analysed changed = AnalyseExactCopy(file);
      if (!changed.result.complete && changed.result.stop_reason.empty()) {
        stopped_without_reason.push_back(offset);
      }
      if (ReportBytes(changed.lines) > kMaxReportBytesPerFileByte * file.size()) {
        report_too_large.push_back(offset);
      }
      if (changed.result.complete && !RoundTripFault(changed.result.graph).empty()) {
        not_written_back.push_back(offset);
      }
    }
    file[offset] = original;
  }
  EXPECT_THAT(stopped_without_reason, IsEmpty());
  EXPECT_THAT(report_too_large, IsEmpty());
  EXPECT_THAT(not_written_back, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, CorruptionSweep, ::testing::ValuesIn(kChangedFiles),
                         [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace mivalto::testing

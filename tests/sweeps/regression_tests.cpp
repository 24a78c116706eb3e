// Inputs on which the sweeps or the fuzzers caught a fault, one row each, with where the
// walk must stop: the report's lines from the version line on, and whether it is complete.
#include <gtest/gtest.h>

#include "support/file_layout.h"
#include "support/graph_text.h"
#include "sweeps/sweep_files.h"

namespace mivalto::testing {
namespace {

const std::string kSeparator(100, '-');
constexpr std::size_t kHeaderLines = 8;

struct Finding {
  const char* name;
  std::string text;  // graph text, placed at byte 512 of the file
  ByteVector tail;   // raw bytes after it, the file's last
  bool complete;
  std::vector<std::string> lines;  // from the version line on
  friend void PrintTo(const Finding& finding, std::ostream* out) { *out << finding.name; }
};

const std::string kClockLines = "0003\r\nF\r\nC\r\nCLOCK 1 0000\r\n";
const std::vector<std::string> kClockReport = {
    "0003", "", kSeparator, "F", "", "", kSeparator, "C", "", "", kSeparator,
    "CLOCK   (Requis)", "Aucun", "", kSeparator};

// Truncation sweep: a file cut where a line starts read the end of the file as the end of a
// section, wrote that section's end and called itself complete when only the end marker was
// missing.
const Finding kFindings[] = {
    {"CutAfterTheFilterTitle", "0002\r\nF\r\n", {}, false, {"0002", "", kSeparator, "F", ""}},
    {"CutAfterAFilterLine",
     "0002\r\nF\r\n0001 \"A\" {11111111-2222-3333-4444-555555555555} 0000000000 \r\n", {}, false,
     {"0002", "", kSeparator, "F", "", "0001  \"A\"  {11111111-2222-3333-4444-555555555555}  "}},
    {"CutAfterTheConnectionTitle", "0002\r\nF\r\nC\r\n", {}, false,
     {"0002", "", kSeparator, "F", "", "", kSeparator, "C", ""}},
    {"CutBeforeTheEndMarker", kClockLines, {}, false, kClockReport},
    {"CutInTheEndMarkersFirstUnit", kClockLines, {'E'}, false, kClockReport},
    // Not cut: whatever follows the clock line, other than an end marker, ends the walk.
    {"PaddingInsteadOfEndMarker", kClockLines, {0, 0}, true, kClockReport},
};

class Regression : public ::testing::TestWithParam<Finding> {};

TEST_P(Regression, StopsWhereItShould) {
  ByteVector text = GraphText().Text(GetParam().text).Bytes();
  text.insert(text.end(), GetParam().tail.begin(), GetParam().tail.end());
  const Analysed a = AnalyseExactCopy(PlaceAtSector(text, 1));
  EXPECT_EQ(a.result.complete, GetParam().complete) << a.result.stop_reason;
  std::vector<std::string> lines;
  for (std::size_t i = kHeaderLines; i < a.lines.size(); ++i) lines.push_back(a.lines[i].text);
  EXPECT_EQ(lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Findings, Regression, ::testing::ValuesIn(kFindings),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mivalto::testing

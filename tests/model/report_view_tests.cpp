// The in-memory report keeps every line's text in place however large it grows, and a copy
// owns its texts.
#include <gtest/gtest.h>

#include <string>

#include "model/report_view.h"
#include "support/kept_lines.h"

namespace mivalto {
namespace {

using testing::KeepLines;
using testing::KeptLine;

// Line i of a large report: its number, so that a line moved or overwritten shows.
std::string NumberedLine(std::size_t i, std::size_t width) {
  std::string text = std::to_string(i);
  text.resize(width, static_cast<char>('a' + i % 26));
  return text;
}

struct GrowthCase {
  const char* name;
  std::size_t lines;
  std::size_t width;  // bytes per line
};

class ReportViewGrowth : public ::testing::TestWithParam<GrowthCase> {};

// Past the first blocks and record buffers, into large memory, and a line larger than a block.
TEST_P(ReportViewGrowth, EveryLineKeepsItsTextAndAttributes) {
  const GrowthCase& c = GetParam();
  ReportView view;
  std::vector<KeptLine> expected;
  for (std::size_t i = 0; i < c.lines; ++i) {
    const Color color = static_cast<Color>(i * 0x010203 & 0xFFFFFF);
    view.SetColor(color);
    view.SetBold(i % 3 == 0);
    view.Append(NumberedLine(i, c.width));
    expected.push_back({NumberedLine(i, c.width), color, i % 3 == 0});
  }
  EXPECT_EQ(KeepLines(view.Lines()), expected);

  ReportView copy = view;
  view.Clear();
  EXPECT_TRUE(view.Lines().empty());
  view.Append("after clearing");
  EXPECT_EQ(KeepLines(copy.Lines()), expected) << "the copy shares texts with the original";
  EXPECT_EQ(KeepLines(view.Lines()), (std::vector<KeptLine>{{"after clearing", kBlack, false}}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReportViewGrowth,
                         ::testing::Values(GrowthCase{"Empty", 0, 0},
                                           GrowthCase{"EmptyLines", 5000, 0},
                                           GrowthCase{"ManyShortLines", 200'000, 12},
                                           GrowthCase{"LinesLargerThanABlock", 3, 5 << 20},
                                           GrowthCase{"LinesAcrossBlockEnds", 2000, 4099}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReportView, BreaksTextAtEachCrLfOnly) {
  ReportView view;
  view.SetColor(kBlue);
  view.Append("one\r\ntwo\rthree\n\r\n");
  view.SetBold(true);
  view.Append("");
  EXPECT_EQ(KeepLines(view.Lines()), (std::vector<KeptLine>{{"one", kBlue, false},
                                                             {"two\rthree\n", kBlue, false},
                                                             {"", kBlue, false},
                                                             {"", kBlue, true}}));
}

// A view that passes its lines on gives the consumer what it would have kept, and keeps none.
TEST(ReportView, PassesLinesOnAsItWouldKeepThem) {
  struct Collector final : LineConsumer {
    std::vector<KeptLine> lines;
    void TakeLine(const ReportLine& line) override {
      lines.push_back({std::string(line.text), line.color, line.bold});
    }
  } collector;
  ReportView kept;
  ReportView passed;
  passed.PassLinesTo(&collector);
  for (ReportView* view : {&kept, &passed}) {
    view->SetColor(kPurple);
    view->Append("a\r\nb");
    view->SetBold(true);
    view->Append("");
  }
  EXPECT_TRUE(passed.Lines().empty());
  EXPECT_EQ(collector.lines, KeepLines(kept.Lines()));
}

TEST(ReportView, MovedViewKeepsItsTextsInPlace) {
  ReportView view;
  view.Append(std::string(100, 'x'));
  const char* before = view.Lines()[0].text.data();
  const ReportView moved = std::move(view);
  EXPECT_EQ(moved.Lines()[0].text.data(), before);
  EXPECT_EQ(moved.Lines()[0].text, std::string(100, 'x'));
}

TEST(ReportView, MovedFromViewTakesNewLinesInBlocksOfItsOwn) {
  ReportView view;
  view.Append(std::string(100, 'x'));
  const ReportView moved = std::move(view);
  view.Append("after the move");  // NOLINT(bugprone-use-after-move): a reused view
  EXPECT_EQ(KeepLines(view.Lines()), (std::vector<KeptLine>{{"after the move", kBlack, false}}));
  EXPECT_EQ(KeepLines(moved.Lines()),
            (std::vector<KeptLine>{{std::string(100, 'x'), kBlack, false}}));
}

}  // namespace
}  // namespace mivalto

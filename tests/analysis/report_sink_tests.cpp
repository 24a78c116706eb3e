#include <gtest/gtest.h>

#include <functional>

#include "analysis/report_sink.h"
#include "support/kept_lines.h"

namespace mivalto {
namespace {

using Write = std::function<void(ReportSink&)>;

struct SinkCase {
  const char* name;
  std::vector<Write> writes;
  std::vector<testing::KeptLine> expected;
};

const std::string kHyphens(100, '-');

class ReportSinkTest : public ::testing::TestWithParam<SinkCase> {};

TEST_P(ReportSinkTest, LinesTakeTheAttributesInForce) {
  ReportView view;
  ReportSink sink(view);
  sink.AddTitleLine("left over from an earlier report");
  sink.ClearReport();
  for (const Write& write : GetParam().writes) write(sink);
  EXPECT_EQ(testing::KeepLines(view.Lines()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, ReportSinkTest,
    ::testing::Values(
        SinkCase{"PlainAfterClear", {[](ReportSink& s) { s.AddLine("a"); }}, {{"a", kBlack, false}}},
        SinkCase{"SeparatorIsExactlyHundredHyphens",
                 {[](ReportSink& s) { s.AddSeparator(); }},
                 {{kHyphens, kBlack, false}}},
        SinkCase{"CrLfSplitsWithSameAttributes",
                 {[](ReportSink& s) { s.AddColoredLine("a\r\nb\r\n", kGreen); }},
                 {{"a", kGreen, false}, {"b", kGreen, false}, {"", kGreen, false}}},
        SinkCase{"LoneCrOrLfDoesNotSplit",
                 {[](ReportSink& s) { s.AddLine("a\rb\nc"); }},
                 {{"a\rb\nc", kBlack, false}}},
        SinkCase{"TitleThenPlainKeepsOliveBold",
                 {[](ReportSink& s) { s.AddTitleLine("T"); },
                  [](ReportSink& s) { s.AddLine("x"); },
                  [](ReportSink& s) { s.AddEmptyLine(); }},
                 {{"T", kOlive, true}, {"x", kOlive, true}, {"", kOlive, true}}},
        SinkCase{"ColouredAfterTitleKeepsBold",
                 {[](ReportSink& s) { s.AddTitleLine("T"); },
                  [](ReportSink& s) { s.AddColoredLine("f", kPurple); },
                  [](ReportSink& s) { s.AddSeparator(); }},
                 {{"T", kOlive, true}, {"f", kPurple, true}, {kHyphens, kPurple, true}}},
        SinkCase{"BoldLineIsBlack",
                 {[](ReportSink& s) { s.AddColoredLine("f", kBlue); },
                  [](ReportSink& s) { s.AddBoldLine("p"); },
                  [](ReportSink& s) { s.AddLine("m"); }},
                 {{"f", kBlue, false}, {"p", kBlack, true}, {"m", kBlack, true}}},
        SinkCase{"EmptyTextIsOneEmptyLine",
                 {[](ReportSink& s) { s.AddLine(""); }},
                 {{"", kBlack, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mivalto

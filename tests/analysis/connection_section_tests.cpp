#include <gtest/gtest.h>

#include "analysis/analysis_driver.h"
#include "analysis/connection_section.h"
#include "analysis/fixed_calendar.h"
#include "base/read_failure.h"
#include "support/graph_text.h"
#include "support/text_scanner.h"

namespace mivalto {
namespace {

using testing::ByteVector;
using testing::GraphText;
using testing::TextScanner;

constexpr Guid kShared = "{1643E180-90F5-11CE-97D5-00AA0055595A}"_guid;
constexpr Guid kOther = "{336475D0-942A-11CE-A870-00AA002FEAB5}"_guid;

// Numbered 0003 then 0001: connections count positions, the clock line compares numbers.
GraphFilterList Filters() {
  return {{"0003", "\"Third\"", kShared},
          {"0001", "\"First\"", kOther},
          {"0002", "\"Also shared\"", kShared}};
}

const char* kMediaTypeStart = "{73646976-0000-0010-8000-00AA00389B71}";

TEST(ReadConnectionPins, NamesFiltersByTheirPositionInTheList) {
  TextScanner scanner(GraphText()
                          .Text("0001 \"Out put\" 0002 \"In\" 0000000374 ")
                          .Text(kMediaTypeStart)
                          .Bytes());
  const ConnectionPins pins = ReadConnectionPins(*scanner, Filters());
  EXPECT_EQ(DescribeConnectionPins(pins.from, pins.to, Filters()),
            "\"Third\"  \"Out put\"   => \"First\"  \"In\"");
  EXPECT_EQ(scanner->CurrentChar(), '{');
}

TEST(ReadConnectionPins, NumberOutsideTheListFails) {
  for (const char* numbers : {"0000 \"a\" 0001", "0001 \"a\" 0004", "0004 \"a\" 0001"}) {
    TextScanner scanner(
        GraphText().Text(std::string(numbers) + " \"b\" 0000000000 ").Text(kMediaTypeStart).Bytes());
    EXPECT_THROW(ReadConnectionPins(*scanner, Filters()), ReadFailure) << numbers;
  }
}

struct ClockCase {
  const char* name;
  const char* line;
  std::string title;
  std::string clock;
};

class ClockLineTest : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockLineTest, NamesTheClock) {
  TextScanner scanner(GraphText().Text(std::string(GetParam().line) + "\r\nE").Bytes());
  ClockEntry entry = ReadClockLine(*scanner);
  DeriveClock(entry.clock, Filters());
  const ClockLines clock = DescribeClock(entry.clock, entry.keyword, Filters());
  EXPECT_EQ(clock.title, GetParam().title);
  EXPECT_EQ(clock.clock, GetParam().clock);
  EXPECT_EQ(scanner->CurrentChar(), 'E');
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ClockLineTest,
    ::testing::Values(
        ClockCase{"ByNumberNotPosition", "CLOCK 1 0001", "CLOCK   (Requis)", "\"First\""},
        ClockCase{"ByCaseOfNumber", "CLOCK 0 0003", "CLOCK  ", "\"Third\""},
        ClockCase{"FirstFilterWithTheClsid", "CLOCK 0 {1643e180-90f5-11ce-97d5-00aa0055595a}",
                  "CLOCK  ", "\"Third\""},
        ClockCase{"FlagOtherThanOne", "CLOCK 2 0000", "CLOCK  ", "Aucun"},
        ClockCase{"NonAsciiReferenceOfFourCharacters", "CLOCK 0 00é0", "CLOCK  ", "00é0"}),
    [](const auto& info) { return std::string(info.param.name); });

// A connection naming a filter that is not there ends the walk before its pin line.
TEST(AnalyseSource, ConnectionToAMissingFilterEndsTheWalk) {
  GraphText text;
  text.Text("0003\r\nFILTERS\r\n0001 \"Only\" {1643E180-90F5-11CE-97D5-00AA0055595A} ")
      .Block(ByteVector{})
      .Text("\r\nCONNECTIONS\r\n0001 \"Out\" 0002 \"In\" 0000000000 ")
      .Text(kMediaTypeStart)
      .Text("\r\nCLOCK 0 0000\r\nEND");
  ByteVector file(512, 0);
  file.insert(file.end(), text.Bytes().begin(), text.Bytes().end());
  MemorySource source(file);
  ReportView view;
  const AnalysisResult result =
      AnalyseSource(source, "/g.grf", {}, {}, testing::FixedCalendar(), view);
  EXPECT_FALSE(result.complete);
  EXPECT_EQ(view.Lines().back().text, "");  // the empty line under the section title
  EXPECT_EQ(view.Lines()[view.Lines().size() - 2].text, "CONNECTIONS");
}

}  // namespace
}  // namespace mivalto

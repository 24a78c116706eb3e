#include <gtest/gtest.h>

#include <string_view>

#include "report/report_writer.h"

namespace mivalto {
namespace {

using namespace std::string_view_literals;

// count times U+FFFD
std::string R(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "\xEF\xBF\xBD";
  return text;
}

struct PrintableCase {
  const char* name;
  std::string_view input;
  std::string expected;
  friend void PrintTo(const PrintableCase& c, std::ostream* out) { *out << c.name; }
};

class PrintableTextTest : public ::testing::TestWithParam<PrintableCase> {};

TEST_P(PrintableTextTest, ReplacesWhatCouldActOnATerminal) {
  EXPECT_EQ(PrintableText(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PrintableTextTest,
    ::testing::Values(
        PrintableCase{"AsciiKept", "a ~}", "a ~}"},
        PrintableCase{"TabKept", "a\tb", "a\tb"},
        PrintableCase{"Nul", "a\0b"sv, std::string("a") + R(1) + "b"},
        PrintableCase{"Escape", "\x1b[2J", R(1) + "[2J"},
        PrintableCase{"CrAndLf", "\r\n", R(2)},
        PrintableCase{"LastC0", "\x1f", R(1)},
        PrintableCase{"Delete", "\x7f", R(1)},
        PrintableCase{"FirstC1", "\xC2\x80", R(1)},
        PrintableCase{"LastC1", "\xC2\x9F", R(1)},
        PrintableCase{"C1Csi", "\xC2\x9B" "1m", R(1) + "1m"},
        PrintableCase{"NoBreakSpaceKept", "\xC2\xA0", "\xC2\xA0"},
        PrintableCase{"AccentKept", "é", "é"},
        PrintableCase{"SupplementaryKept", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        PrintableCase{"LastCodePointKept", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        PrintableCase{"ReplacementKept", "\xEF\xBF\xBD", R(1)},
        PrintableCase{"StrayContinuation", "\x80", R(1)},
        PrintableCase{"ByteFF", "a\xFF", "a" + R(1)},
        PrintableCase{"OverlongSlash", "\xC0\xAF", R(2)},
        PrintableCase{"OverlongThreeBytes", "\xE0\x80\xAF", R(3)},
        PrintableCase{"EncodedSurrogate", "\xED\xA0\x80", R(3)},
        PrintableCase{"BeyondLastCodePoint", "\xF4\x90\x80\x80",
                      R(4)},
        PrintableCase{"CutShortAtEnd", "x\xE2\x82", "x" + R(2)},
        PrintableCase{"CutShortBeforeAscii", "\xE2\x82" "A", R(2) + "A"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mivalto

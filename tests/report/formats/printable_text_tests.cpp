#include <gtest/gtest.h>

#include <string_view>

#include "report/report_writer.h"

namespace mivalto {
namespace {

using namespace std::string_view_literals;

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
        PrintableCase{"AsciiKept", "a ~}", "a ~}"}, PrintableCase{"TabKept", "a\tb", "a\tb"},
        PrintableCase{"Nul", "a\0b"sv, "a\uFFFDb"}, PrintableCase{"Escape", "\x1b[2J", "\uFFFD[2J"},
        PrintableCase{"CrAndLf", "\r\n", "\uFFFD\uFFFD"}, PrintableCase{"LastC0", "\x1f", "\uFFFD"},
        PrintableCase{"Delete", "\x7f", "\uFFFD"}, PrintableCase{"FirstC1", "\xC2\x80", "\uFFFD"},
        PrintableCase{"LastC1", "\xC2\x9F", "\uFFFD"},
        PrintableCase{"C1Csi",
                      "\xC2\x9B"
                      "1m",
                      "\uFFFD"
                      "1m"},
        PrintableCase{"NoBreakSpaceKept", "\xC2\xA0", "\xC2\xA0"},
        PrintableCase{"AccentKept", "é", "é"},
        PrintableCase{"SupplementaryKept", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        PrintableCase{"LastCodePointKept", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        PrintableCase{"ReplacementKept", "\xEF\xBF\xBD", "\uFFFD"},
        PrintableCase{"BeforeBidiKept", "\u2029", "\u2029"},
        PrintableCase{"FirstBidiEmbedding", "a\u202Ab", "a\uFFFDb"},
        PrintableCase{"BidiOverride", "\u202Etxt.exe", "\uFFFDtxt.exe"},
        PrintableCase{"FirstBidiIsolate", "\u2066", "\uFFFD"},
        PrintableCase{"LastBidiIsolate", "\u2069", "\uFFFD"},
        PrintableCase{"AfterBidiKept", "\u206A", "\u206A"},
        PrintableCase{"StrayContinuation", "\x80", "\uFFFD"},
        PrintableCase{"ByteFF", "a\xFF", "a\uFFFD"},
        PrintableCase{"OverlongSlash", "\xC0\xAF", "\uFFFD\uFFFD"},
        PrintableCase{"OverlongThreeBytes", "\xE0\x80\xAF", "\uFFFD\uFFFD\uFFFD"},
        PrintableCase{"EncodedSurrogate", "\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},
        PrintableCase{"BeyondLastCodePoint", "\xF4\x90\x80\x80", "\uFFFD\uFFFD\uFFFD\uFFFD"},
        PrintableCase{"CutShortAtEnd", "x\xE2\x82", "x\uFFFD\uFFFD"},
        PrintableCase{"CutShortBeforeAscii",
                      "\xE2\x82"
                      "A",
                      "\uFFFD\uFFFDA"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mivalto

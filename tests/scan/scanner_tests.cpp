#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "base/program_texts.h"
#include "base/read_failure.h"
#include "scan/graph_scanner.h"
#include "support/graph_text.h"
#include "support/text_scanner.h"

namespace mivalto {
namespace {

using testing::ByteVector;
using testing::GraphText;
using testing::TextScanner;

// Graph text placed at a sector behind `sector` sectors of filler.
ByteVector AtSector(const ByteVector& text, std::size_t sector, std::uint8_t filler = 0) {
  ByteVector file(512 * sector, filler);
  file.insert(file.end(), text.begin(), text.end());
  return file;
}

struct FindCase {
  const char* name;
  ByteVector file;
  std::optional<std::string> version;
  std::uint16_t current_after = 0;
};

ByteVector Decoy(const char* version) {
  return GraphText().Text(version).Text("\r\n").Bytes();
}

ByteVector Concat(std::initializer_list<ByteVector> parts) {
  ByteVector all;
  for (const ByteVector& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

ByteVector Sector(const ByteVector& start) {
  ByteVector sector = start;
  sector.resize(512, 0xEE);
  return sector;
}

class FindGraphTextTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindGraphTextTest, FindsTheFirstSectorWithAVersion) {
  ByteVector file = GetParam().file;
  MemorySource source(file);
  GraphScanner scanner(source);
  EXPECT_EQ(scanner.FindGraphText(), GetParam().version);
  if (GetParam().version) {
    EXPECT_EQ(scanner.CurrentChar(), GetParam().current_after);
  }
}

const ByteVector kText3 = GraphText().Text("0003\r\nFILTERS\r\n").Bytes();

INSTANTIATE_TEST_SUITE_P(
    Layouts, FindGraphTextTest,
    ::testing::Values(
        FindCase{"AtFirstSector", AtSector(kText3, 1), "0003", 'F'},
        FindCase{"Version2", AtSector(GraphText().Text("0002\r\nX").Bytes(), 1), "0002", 'X'},
        FindCase{"BehindRejectedSectors",
                 Concat({Sector({}), Sector(Decoy("0001")), Sector(Decoy("0004")), kText3}),
                 "0003", 'F'},
        FindCase{"NeverInTheFirst512Bytes", Concat({Sector(Decoy("0003"))}), std::nullopt},
        FindCase{"TenBytes", ByteVector(10, '0'), std::nullopt},
        FindCase{"EmptyFile", {}, std::nullopt},
        FindCase{"NoGraphText", ByteVector(512 * 8, 0), std::nullopt},
        FindCase{"VersionCutShort", Concat({Sector({}), ByteVector{'0', 0, '0', 0, '0', 0, '3'}}),
                 std::nullopt},
        FindCase{"NotAtASectorStart", Concat({Sector({}), ByteVector(2, 0), kText3}),
                 std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindGraphText, VersionLineWithoutItsEndFails) {
  ByteVector file = AtSector(GraphText().Text("0003").Bytes(), 1);
  MemorySource source(file);
  GraphScanner scanner(source);
  EXPECT_THROW(scanner.FindGraphText(), ReadFailure);
}

// One reader run on a text; what it returns and where it leaves the lookahead.
struct ReaderCase {
  const char* name;
  GraphText text;
  std::function<std::string(GraphScanner&)> read;
  std::string result;
  std::uint16_t current_after;
};

class ReaderTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderTest, ReturnsTheTextAndStopsOnTheNextUnit) {
  TextScanner scanner(GetParam().text.Bytes());
  EXPECT_EQ(GetParam().read(*scanner), GetParam().result);
  EXPECT_EQ(scanner->CurrentChar(), GetParam().current_after);
}

std::string ToText(std::int32_t value) { return std::to_string(value); }

// More units than the scanner's 256 KiB read block holds, both bytes of each set, repeating
// only every 1531 units: a byte lost, doubled or taken past the end of a block shows, and
// stale bytes of an earlier copy of the file can't pass for the right ones.
std::string LongerThanReadBlock() {
  std::string line;
  for (int i = 0; i < 140'000; ++i) {
    const int code_point = 0x100 + i % 1531;  // two UTF-8 bytes
    line += static_cast<char>(0xC0 | (code_point >> 6));
    line += static_cast<char>(0x80 | (code_point & 0x3F));
  }
  return line;
}

INSTANTIATE_TEST_SUITE_P(
    Readers, ReaderTest,
    ::testing::Values(
        ReaderCase{"ReadLine", GraphText().Text("FILTERS\r\nN"), &GraphScanner::ReadLine,
                   "FILTERS", 'N'},
        ReaderCase{"ReadLineEmpty", GraphText().Text("\r\nN"), &GraphScanner::ReadLine, "", 'N'},
        ReaderCase{"ReadLineAccents", GraphText().Text("Vidéo à l'écran\r\nN"),
                   &GraphScanner::ReadLine, "Vidéo à l'écran", 'N'},
        ReaderCase{"ReadLineSurrogatePair", GraphText().Text("a\U0001F600b\r\nN"),
                   &GraphScanner::ReadLine, "a\U0001F600b", 'N'},
        ReaderCase{"ReadLineLoneHigh", GraphText().Units({'a', 0xD83D, 'b', 13, 10, 'N'}),
                   &GraphScanner::ReadLine, "a\uFFFDb", 'N'},
        ReaderCase{"ReadLineLoneLow", GraphText().Units({0xDE00, 'b', 13, 10, 'N'}),
                   &GraphScanner::ReadLine, "\uFFFDb", 'N'},
        ReaderCase{"ReadLineHighBeforeEnd", GraphText().Units({'a', 0xD83D, 13, 10, 'N'}),
                   &GraphScanner::ReadLine, "a\uFFFD", 'N'},
        ReaderCase{"ReadQuoted", GraphText().Text("\"Video Renderer\" x"),
                   &GraphScanner::ReadQuoted, "\"Video Renderer\"", ' '},
        ReaderCase{"ReadQuotedWithoutOpeningQuote", GraphText().Text("In\" x"),
                   &GraphScanner::ReadQuoted, "\"In\"", ' '},
        ReaderCase{"ReadQuotedEmpty", GraphText().Text("\"\" x"), &GraphScanner::ReadQuoted,
                   "\"\"", ' '},
        ReaderCase{"ReadWord", GraphText().Text("SOURCE \"f\""), &GraphScanner::ReadWord,
                   "SOURCE", ' '},
        ReaderCase{"ReadGuid", GraphText().Text("{e436EB7D-524F-11CE-9F53-0020AF0BA770} "),
                   [](GraphScanner& s) { return s.ReadGuid().Text(); },
                   "{e436EB7D-524F-11CE-9F53-0020AF0BA770}", ' '},
        ReaderCase{"ReadCharsCountsCodePoints", GraphText().Text("\U0001F600bcdE"),
                   [](GraphScanner& s) { return s.ReadChars(4); }, "\U0001F600bcd", 'E'},
        ReaderCase{"ReadCharsZero", GraphText().Text("ab"),
                   [](GraphScanner& s) { return s.ReadChars(0); }, "", 'a'},
        ReaderCase{"SkipChar", GraphText().Text(" x"),
                   [](GraphScanner& s) { s.SkipChar(); return std::string(); }, "", 'x'},
        ReaderCase{"ReadDecimal", GraphText().Text("0000614400x"),
                   [](GraphScanner& s) { return ToText(s.ReadDecimal(10)); }, "614400", 'x'},
        ReaderCase{"ReadDecimalWraps", GraphText().Text("9999999999x"),
                   [](GraphScanner& s) { return ToText(s.ReadDecimal(10)); }, "1410065407", 'x'},
        ReaderCase{"ReadDecimalTakesAnyUnit", GraphText().Text("1Ax"),
                   [](GraphScanner& s) { return ToText(s.ReadDecimal(2)); }, "27", 'x'},
        ReaderCase{"SkipLineRestAligned", GraphText().Text("rest of line\r\nN"),
                   [](GraphScanner& s) { s.SkipLineRest(); return std::string(); }, "", 'N'},
        ReaderCase{"SkipLineRestCrInHighByte",
                   GraphText().Text("0000000001 ").Raw(ByteVector{7}).Text("\r\nN"),
                   [](GraphScanner& s) {
                     s.ReadFormatBlockCount();
                     s.SkipLineRest();
                     return std::string();
                   },
                   "", 'N'},
        ReaderCase{"SkipLineRestScansOddBytes",
                   GraphText().Text("0000000003 ").Raw(ByteVector{1, 2, 3}).Text("zz\r\nN"),
                   [](GraphScanner& s) {
                     s.ReadFormatBlockCount();
                     s.SkipLineRest();
                     return std::string();
                   },
                   "", 'N'},
        ReaderCase{"ReadLineAcrossReadBlocksAtAnOddOffset",
                   GraphText().Text("0000000001 ").Raw(ByteVector{7}).Text(LongerThanReadBlock())
                       .Text("\r\nN"),
                   [](GraphScanner& s) {
                     s.ReadFormatBlockCount();
                     s.SkipBlockRest();  // past the one-byte block: the text is now at odd offsets
                     return s.ReadLine();
                   },
                   LongerThanReadBlock(), 'N'},
        ReaderCase{"SkipBytesBelowTwoDoNothing", GraphText().Text("ab"),
                   [](GraphScanner& s) { s.SkipBytes(0); s.SkipBytes(1); return std::string(); },
                   "", 'a'},
        ReaderCase{"SkipBytesLandsOnTheUnitNBytesOn", GraphText().Text("abcd"),
                   [](GraphScanner& s) { s.SkipBytes(6); return std::string(); }, "", 'd'}),
    [](const auto& info) { return std::string(info.param.name); });

// Every reader that waits for a stop unit fails when the file ends first, and says where (a
// file that ends between a CR and its LF ends in the text, its line's end found).
struct EndCase {
  const char* name;
  GraphText text;
  std::function<void(GraphScanner&)> read;
  std::string reason = std::string(texts::kEndInGraphText);
};

class EndOfFileTest : public ::testing::TestWithParam<EndCase> {};

TEST_P(EndOfFileTest, FailsInsteadOfWaiting) {
  TextScanner scanner(GetParam().text.Bytes());
  EXPECT_THAT([&] { GetParam().read(*scanner); },
              ::testing::ThrowsMessage<ReadFailure>(GetParam().reason));
}

INSTANTIATE_TEST_SUITE_P(
    Readers, EndOfFileTest,
    ::testing::Values(
        EndCase{"ReadLine", GraphText().Text("no end"), [](GraphScanner& s) { s.ReadLine(); }},
        EndCase{"ReadLineWithoutLf", GraphText().Text("x\r"), [](GraphScanner& s) { s.ReadLine(); }},
        EndCase{"ReadWord", GraphText().Text("word"), [](GraphScanner& s) { s.ReadWord(); }},
        EndCase{"ReadQuoted", GraphText().Text("\"name"), [](GraphScanner& s) { s.ReadQuoted(); }},
        EndCase{"ReadGuid", GraphText().Text("{E436"), [](GraphScanner& s) { s.ReadGuid(); }},
        EndCase{"SkipLineRest", GraphText().Text("abc"), [](GraphScanner& s) { s.SkipLineRest(); },
                std::string(texts::kEndBeforeLineEnd)},
        EndCase{"SkipLineRestCrWithoutLf", GraphText().Text("a\r"),
                [](GraphScanner& s) { s.SkipLineRest(); }},
        EndCase{"ReadChars", GraphText().Text("ab"), [](GraphScanner& s) { s.ReadChars(3); }},
        EndCase{"OddTrailingByte", GraphText().Text("a").Raw(ByteVector{'b'}),
                [](GraphScanner& s) { s.ReadChars(2); }},
        EndCase{"ReadDecimal", GraphText().Text("12"), [](GraphScanner& s) { s.ReadDecimal(4); }},
        EndCase{"BlockPastTheEnd", GraphText().Text("0000000010 ").Raw(ByteVector{1, 2, 3}),
                [](GraphScanner& s) { s.ReadFormatBlockCount(); }, texts::BlockPastEndOfFile(10)},
        EndCase{"FilterBlockPastTheEnd", GraphText().Text("4000000000 ").Raw(ByteVector{1, 2}),
                [](GraphScanner& s) { s.ReadFilterBlockCount(); },
                texts::BlockPastEndOfFile(4'000'000'000)},
        EndCase{"FilterBlockCountNotDigits", GraphText().Text("00000000x1 ").Raw(ByteVector{1, 2}),
                [](GraphScanner& s) { s.ReadFilterBlockCount(); },
                std::string(texts::kBlockCountNotANumber)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GraphScanner, FileEndingRightAfterTheLastUnitStillReadsIt) {
  TextScanner text_scanner(GraphText().Text("END").Bytes());
  GraphScanner& scanner = *text_scanner;
  EXPECT_EQ(scanner.ReadChars(3), "END");
  EXPECT_THROW(scanner.NextChar(), ReadFailure);  // never a stale unit twice
}

TEST(GraphScanner, BlockThatFillsTheFileExactlyIsRead) {
  TextScanner text_scanner(GraphText().Text("0000000004 ").Raw(ByteVector{0xFF, 0xFE, 0x01, 0x80}).Bytes());
  GraphScanner& scanner = *text_scanner;
  EXPECT_EQ(scanner.ReadFilterBlockCount(), 4u);
  EXPECT_EQ(scanner.CurrentChar(), 0xFEFF);
  ByteVector block(4);
  scanner.ReadBlockBytes(block);
  EXPECT_EQ(block, (ByteVector{0xFF, 0xFE, 0x01, 0x80}));
  EXPECT_FALSE(scanner.HasCurrentChar());
}

TEST(GraphScanner, FormatBlockCountIsFoldedWhateverItsCharacters) {
  // '/' is 47, one below '0': the fold gives -1, -10, -100; a negative count reads nothing.
  TextScanner text_scanner(GraphText().Text("0000000/00 ").Raw(ByteVector{1, 2}).Bytes());
  GraphScanner& scanner = *text_scanner;
  EXPECT_EQ(scanner.ReadFormatBlockCount(), -100);
}

}  // namespace
}  // namespace mivalto

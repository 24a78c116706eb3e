#include <gtest/gtest.h>

#include "analysis/filter_data.h"
#include "analysis/filter_description.h"
#include "analysis/filter_section.h"
#include "base/guid.h"
#include "base/read_failure.h"
#include "support/graph_text.h"
#include "support/text_scanner.h"

namespace mivalto {
namespace {

using testing::ByteVector;
using testing::GraphText;
using testing::TextScanner;

constexpr Guid kSource = "{E436EBB5-524F-11CE-9F53-0020AF0BA770}"_guid;
constexpr const char* kSourceText = "{E436EBB5-524F-11CE-9F53-0020AF0BA770}";
constexpr Guid kDmoClsid = "{7A2C9C1E-0B4F-4E7B-9C1A-2B3C4D5E6F70}"_guid;
constexpr Guid kAudioEncoderCategory = "{33D9A761-90C8-11D0-BD43-00A0C911CE86}"_guid;
constexpr Guid kVideoEncoderCategory = "{33D9A760-90C8-11D0-BD43-00A0C911CE86}"_guid;
constexpr Guid kOtherCategory = "{01020304-0506-0708-090A-0B0C0D0E0F10}"_guid;

const std::string kDevicePath = "@device:pnp:\\\\?\\usb#vid_1b80&pid_e012#5&c1e6cce&0&1#{65e8773d}";
const std::string kOtherDevice = "@device:pnp:\\\\?\\pci#ven_1#1#x";
const std::string kCatalogueDevice = "@device:pnp:\\\\?\\usb#vid_1b80&pid_e012#7&ffff&0&2#{65e8773d}";

ByteVector GuidBytes(const Guid& g) {
  ByteVector b;
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(g.data1 >> (8 * i)));
  for (int i = 0; i < 2; ++i) b.push_back(static_cast<std::uint8_t>(g.data2 >> (8 * i)));
  for (int i = 0; i < 2; ++i) b.push_back(static_cast<std::uint8_t>(g.data3 >> (8 * i)));
  b.insert(b.end(), g.data4.begin(), g.data4.end());
  return b;
}

ByteVector DmoBlock(const Guid& category, std::size_t extra = 0) {
  ByteVector b = GuidBytes(kDmoClsid);
  const ByteVector c = GuidBytes(category);
  b.insert(b.end(), c.begin(), c.end());
  b.resize(b.size() + extra, 0x5A);
  return b;
}

// 28 bytes of header, the path in UTF-16LE, then 6 bytes that are not part of it.
ByteVector DeviceBlock(const std::string& ascii_path) {
  ByteVector b(28, 0x11);
  for (char c : ascii_path) {
    b.push_back(static_cast<std::uint8_t>(c));
    b.push_back(0);
  }
  b.resize(b.size() + 6, 0);
  return b;
}

ByteVector WithBytesAt28(std::initializer_list<std::uint8_t> bytes, std::size_t size) {
  ByteVector b(28, 0);
  b.insert(b.end(), bytes);
  b.resize(size, 0);
  return b;
}

FilterCatalogue Catalogue() {
  FilterCatalogue c;
  c.KnownFilters.push_back({"File Source (Async.)", kSource, "", "", ""});
  c.KnownFilters.push_back({"Second registration", kSource, "", "", ""});
  c.KnownFilters.push_back({"Other device", kClsidProxy, "", "", "@device:pnp:other"});
  c.KnownFilters.push_back({"Roxio Capture", kClsidProxy, "", "", kCatalogueDevice});
  c.KnownDmos.push_back({"Mivalto Test DMO", kDmoClsid});
  return c;
}

// The entry read, classified and described, as the walk does.
struct Described {
  FilterModel filter;
  FilterLine line;
};

Described ReadAndDescribe(GraphScanner& scanner, int position) {
  FilterAsRead entry = ReadFilterEntry(scanner, position);
  DeriveFilter(entry.filter, entry.spelling, Catalogue());
  FilterLine line = DescribeFilter(entry.filter, entry.spelling);
  return {std::move(entry.filter), std::move(line)};
}

struct EntryCase {
  const char* name;
  std::string clsid;
  std::string clause;  // e.g. "SOURCE \"C:\\a.avi\" "
  ByteVector data;
  std::string expected;
  Color color;
};

class FilterEntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(FilterEntryTest, MakesTheLineAndRecordsTheFilter) {
  const EntryCase& c = GetParam();
  GraphText text;
  text.Text("0003 \"My filter\" " + c.clsid + " " + c.clause).Block(c.data).Text("\r\n9");
  TextScanner scanner(text.Bytes());
  const Described entry = ReadAndDescribe(*scanner, 1);
  EXPECT_EQ(entry.line.text, c.expected);
  EXPECT_EQ(entry.line.color, c.color);
  EXPECT_EQ(scanner->CurrentChar(), '9');
  const ListedFilter listed = ListingOf(entry.filter);
  EXPECT_EQ(listed.number, "0003");
  EXPECT_EQ(listed.quoted_name, "\"My filter\"");
  EXPECT_EQ(listed.clsid, ParseGuid(c.clsid));
}

const std::string kHead = "0003  \"My filter\"  ";
const std::string kDmo = "{94297043-BD82-4DFD-B0DE-8177739C6D20}";
const std::string kProxy = "{17CCA71B-ECD7-11D0-B908-00A0C9223196}";
const std::string kAcm = "{6A08CF80-0E18-11CF-A24D-0020AFD79767}";
const std::string kAvi = "{D76E2820-1563-11CF-AC98-00AA004C0FA9}";
const std::string kDmoClsidText = "{7A2C9C1E-0B4F-4E7B-9C1A-2B3C4D5E6F70}";

INSTANTIATE_TEST_SUITE_P(
    Kinds, FilterEntryTest,
    ::testing::Values(
        EntryCase{"KnownOrdinary", kSourceText, "", ByteVector(10),
                  kHead + ": File Source (Async.) " + kSourceText + "  <10 octets de données binaires >",
                  kBlack},
        EntryCase{"UnknownOrdinaryEmptyBlock", "{11111111-2222-3333-4444-555555555555}", "", {},
                  kHead + "{11111111-2222-3333-4444-555555555555}  ", kBlack},
        EntryCase{"LowerCaseClsidShownAsRead", "{e436ebb5-524f-11ce-9f53-0020af0ba770}", "", {},
                  kHead + ": File Source (Async.) {e436ebb5-524f-11ce-9f53-0020af0ba770}  ", kBlack},
        EntryCase{"OptionalClause", kSourceText, "SOURCE \"C:\\a b.avi\" ", {},
                  kHead + ": File Source (Async.) " + kSourceText + "  SOURCE  \"C:\\a b.avi\"  ",
                  kBlack},
        EntryCase{"VideoMixingRenderer", "{B87BEB7B-8D29-423F-AE4D-6582C10175AC}", "", ByteVector(416),
                  kHead + ": Video Mixing Renderer (DX8) {B87BEB7B-8D29-423F-AE4D-6582C10175AC}  "
                          "<416 octets de données binaires >",
                  kBlack},
        EntryCase{"DefaultVideoRenderer", "{6BC1CFFA-8FC1-4261-AC22-CFB4CC38DB50}", "", {},
                  kHead + ": Video Renderer Default(DX8) {6BC1CFFA-8FC1-4261-AC22-CFB4CC38DB50}  ",
                  kBlack},
        EntryCase{"VideoPortManager", "{6F26A6CD-967B-47FD-874A-7AED2C9D25A2}", "", {},
                  kHead + ": Video Port Manager (DX8) {6F26A6CD-967B-47FD-874A-7AED2C9D25A2}  ", kBlack},
        EntryCase{"VideoMixer", "{06B32AEE-77DA-484B-973B-5D64F47201B0}", "", {},
                  kHead + ": Video Mixer (DX8) {06B32AEE-77DA-484B-973B-5D64F47201B0}  ", kBlack},
        EntryCase{"DmoKnown32Bytes", kDmo, "", DmoBlock(kAudioEncoderCategory),
                  kHead + ": Mivalto Test DMO " + kDmoClsidText + " cat= Audio Encoder", kGreen},
        EntryCase{"Dmo80Bytes", kDmo, "", DmoBlock(kVideoEncoderCategory, 48),
                  kHead + ": Mivalto Test DMO " + kDmoClsidText +
                      " cat= Video Encoder <48 octets de données binaires >",
                  kGreen},
        EntryCase{"DmoUnknownCategoryWithClause", kDmo, "SOURCE \"x\" ", DmoBlock(kOtherCategory),
                  kHead + "SOURCE  \"x\"  : Mivalto Test DMO " + kDmoClsidText +
                      " cat= {01020304-0506-0708-090A-0B0C0D0E0F10}",
                  kGreen},
        EntryCase{"DmoBlockUnder32", kDmo, "", ByteVector(31), kHead + ": ", kGreen},
        EntryCase{"DeviceMatched", kProxy, "", DeviceBlock(kDevicePath),
                  kHead + ": Roxio Capture " + kDevicePath + " <" +
                      std::to_string(28 + 2 * kDevicePath.size() + 6) + " octets de données binaires >",
                  kPurple},
        EntryCase{"DeviceNotMatched", kProxy, "", DeviceBlock(kOtherDevice),
                  kHead + ": Proxy " + kProxy + " <" + std::to_string(28 + 2 * kOtherDevice.size() + 6) +
                      " octets de données binaires >",
                  kPurple},
        EntryCase{"DeviceBlockUnder36", kProxy, "", ByteVector(35),
                  kHead + ": Proxy " + kProxy + " <35 octets de données binaires >", kPurple},
        EntryCase{"DeviceEmptyBlock", kProxy, "", {}, kHead + ": Proxy " + kProxy, kPurple},
        EntryCase{"AcmWrapper", kAcm, "", WithBytesAt28({0x55, 0x00}, 30),
                  kHead + ": ACM Wrapper = MP3", kBlue},
        EntryCase{"AcmWrapperShort", kAcm, "", ByteVector(29), kHead + ": ACM Wrapper = Inconnu", kBlue},
        EntryCase{"AviEncoder", kAvi, "", WithBytesAt28({'M', 'J', 'P', 'G'}, 40),
                  kHead + ": AVI Encoder = MJPG", kBlue},
        EntryCase{"AviEncoderHighBytes", kAvi, "", WithBytesAt28({'d', 'x', 0xE9, 0xFF}, 32),
                  kHead + ": AVI Encoder = dxéÿ", kBlue},
        EntryCase{"AviEncoderShort", kAvi, "", ByteVector(31), kHead + ": AVI Encoder = Inconnu",
                  kBlue}),
    [](const auto& info) { return std::string(info.param.name); });

// What the graph model keeps of an entry: the same facts as the line, in words.
struct ModelCase {
  const char* name;
  std::string clsid;
  std::string clause;
  ByteVector data;
  FilterKind kind;
  std::optional<std::string> registered_name;
  std::optional<std::string> description;
  std::optional<FileClause> file;
};

class FilterModelTest : public ::testing::TestWithParam<ModelCase> {};

TEST_P(FilterModelTest, KeepsWhatTheLineSays) {
  const ModelCase& c = GetParam();
  GraphText text;
  text.Text("0003 \"My {filter}\" " + c.clsid + " " + c.clause).Block(c.data).Text("\r\n9");
  TextScanner scanner(text.Bytes());
  const FilterModel filter = ReadAndDescribe(*scanner, 5).filter;
  EXPECT_EQ(filter.position, 5);
  EXPECT_EQ(filter.id, "0003");
  EXPECT_EQ(filter.name, "My {filter}");
  EXPECT_EQ(filter.clsid, ParseGuid(c.clsid));
  EXPECT_EQ(filter.kind, c.kind);
  EXPECT_EQ(filter.registered_name, c.registered_name);
  EXPECT_EQ(filter.description, c.description);
  EXPECT_EQ(filter.file, c.file);
  EXPECT_EQ(filter.data_size, c.data.size());
  EXPECT_EQ(filter.data, c.data);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FilterModelTest,
    ::testing::Values(
        ModelCase{"KnownWithClause", kSourceText, "SOURCE \"C:\\a b.avi\" ", ByteVector(10, 7),
                  FilterKind::kDirectShow, "File Source (Async.)",
                  "<10 octets de données binaires >", FileClause{"SOURCE", "C:\\a b.avi"}},
        ModelCase{"UnknownEmptyBlock", "{11111111-2222-3333-4444-555555555555}", "", {},
                  FilterKind::kDirectShow, std::nullopt, std::nullopt, std::nullopt},
        ModelCase{"Renderer", "{B87BEB7B-8D29-423F-AE4D-6582C10175AC}", "", ByteVector(4),
                  FilterKind::kDirectShow, "Video Mixing Renderer (DX8)",
                  "<4 octets de données binaires >", std::nullopt},
        ModelCase{"Dmo", kDmo, "SINK \"y\" ", DmoBlock(kVideoEncoderCategory, 3), FilterKind::kDmo,
                  std::nullopt,
                  "Mivalto Test DMO " + kDmoClsidText + " cat= Video Encoder <3 octets de données binaires >",
                  FileClause{"SINK", "y"}},
        ModelCase{"DmoBlockUnder32", kDmo, "", ByteVector(31), FilterKind::kDmo, std::nullopt,
                  std::nullopt, std::nullopt},
        ModelCase{"DeviceMatched", kProxy, "", DeviceBlock(kDevicePath), FilterKind::kPnp,
                  "Roxio Capture",
                  "Roxio Capture " + kDevicePath + " <" +
                      std::to_string(28 + 2 * kDevicePath.size() + 6) + " octets de données binaires >",
                  std::nullopt},
        ModelCase{"DeviceNotMatched", kProxy, "", {}, FilterKind::kPnp, std::nullopt,
                  "Proxy " + kProxy, std::nullopt},
        ModelCase{"AcmWrapper", kAcm, "", WithBytesAt28({0x55, 0x00}, 30), FilterKind::kAcm,
                  std::nullopt, "ACM Wrapper = MP3", std::nullopt},
        ModelCase{"AviEncoder", kAvi, "", WithBytesAt28({'M', 'J', 'P', 'G'}, 40), FilterKind::kAvi,
                  std::nullopt, "AVI Encoder = MJPG", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadFilterEntry, InvalidClsidFails) {
  TextScanner scanner(
      GraphText().Text("0001 \"f\" {E436EBB5-524F-11CE-9F53-0020AF0BA77G} 0000000000 \r\n").Bytes());
  EXPECT_THROW(ReadFilterEntry(*scanner, 1), ReadFailure);
}

struct PathCase {
  const char* a;
  const char* b;
  bool match;
};

class DevicePathMatchTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(DevicePathMatchTest, IgnoresOnlyTheInstanceId) {
  EXPECT_EQ(DevicePathMatch(GetParam().a, GetParam().b), GetParam().match)
      << GetParam().a << " vs " << GetParam().b;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DevicePathMatchTest,
    ::testing::Values(PathCase{"p#hw#inst1#if", "p#hw#inst1#if", true},
                      PathCase{"p#hw#inst1#if", "p#hw#other-instance#if", true},
                      PathCase{"p#hw#inst#if", "p#HW#inst#if", false},
                      PathCase{"p#hw#inst#if", "P#hw#inst#if", false},
                      PathCase{"p#hw#inst#if", "p#hw#inst#IF", false},
                      PathCase{"p#hw#inst#if", "pp#hw#inst#if", false},
                      PathCase{"p#hw#inst#if", "p#hw2#inst#if", false},
                      PathCase{"p#hw#inst", "p#hw#other", false},
                      PathCase{"p#hw#inst#a#b", "p#hw#x#a#b", true},
                      PathCase{"plain", "plain", true}, PathCase{"plain", "plainer", false},
                      PathCase{"plain", "pl#in", false}, PathCase{"", "", true}));

}  // namespace
}  // namespace mivalto

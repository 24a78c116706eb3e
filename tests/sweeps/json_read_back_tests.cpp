// A JSON report read back as an input: over every real file and sample it gives the report and
// the model of the file itself; edited, it is reported as edited; each fault is refused with
// its place, as in a catalogue file, which comes back as it was written.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "analysis/catalogue_json.h"
#include "analysis/connection_section.h"
#include "analysis/derived_members.h"
#include "analysis/filter_description.h"
#include "analysis/graph_from_json.h"
#include "analysis/json_input.h"
#include "analysis/media_type_section.h"
#include "base/program_texts.h"
#include "base/text_encoding.h"
#include "report/catalogue/catalogue_writer.h"
#include "report/formats/json_writer.h"
#include "support/test_files.h"
#include "sweeps/sweep_files.h"

namespace mivalto::testing {
namespace {

using Json = nlohmann::json;

// The JSON report of a graph, as --format json writes it (the lines play no part).
std::string JsonOf(const GraphModel& graph) {
  const ReportView no_lines;
  const ReportDocument document{"/sweep/graph.grf", true, &no_lines, &graph};
  std::ostringstream out;
  WriteJson({&document, 1}, out);
  return out.str();
}

Analysed ReadBack(std::string_view json) {
  return AnalyseExactCopy({reinterpret_cast<const std::uint8_t*>(json.data()), json.size()},
                          AnalyseInput);
}

class JsonReadBack : public ::testing::TestWithParam<SweepFile> {};

TEST_P(JsonReadBack, GivesTheFilesReportAndModel) {
  const Analysed read = AnalyseExactCopy(ReadWholeFile(GetParam().path));
  ASSERT_TRUE(read.result.complete) << read.result.stop_reason;
  const std::string json = JsonOf(read.result.graph);
  const Analysed back = ReadBack(json);
  EXPECT_TRUE(back.result.complete) << back.result.stop_reason;
  EXPECT_EQ(back.result.graph, read.result.graph);
  EXPECT_EQ(back.lines, read.lines);
  // A report read back as it was written ignores none of its members.
  MemorySource source({reinterpret_cast<const std::uint8_t*>(json.data()), json.size()});
  for (const DerivedDifference& difference : DerivedDifferences(
           ReadReportGraph(source), Json::parse(JsonOf(back.result.graph))["graph"], true, {})) {
    ADD_FAILURE() << difference.pointer << " " << difference.read << " " << difference.computed;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, JsonReadBack, ::testing::ValuesIn(CorpusAndSamples()),
                         [](const auto& info) { return info.param.label; });

// The stored facts the JSON report gives back, each entry described as the walk describes
// what it reads: the walk's derived facts, and its lines in order.
TEST_P(JsonReadBack, DescribesEachEntryAsTheWalk) {
  const Analysed read = AnalyseExactCopy(ReadWholeFile(GetParam().path));
  const std::string json = JsonOf(read.result.graph);
  MemorySource source({reinterpret_cast<const std::uint8_t*>(json.data()), json.size()});
  GraphModel graph = GraphFromJson(ReadReportGraph(source));
  std::string report;
  for (const KeptLine& line : read.lines) (report += line.text) += "\r\n";
  std::size_t at = 0;
  const auto next = [&](const std::string& lines) {
    at = report.find("\r\n" + lines + "\r\n", at);
    ASSERT_NE(at, std::string::npos) << lines;
    at += lines.size();
  };
  GraphFilterList filters;
  for (FilterModel& filter : graph.filters) {
    ClassifyFilter(filter, {}, {});
    next(DescribeFilter(filter, {}).text);
    AppendToLargeVector(filters, ListingOf(filter));
  }
  for (ConnectionModel& connection : graph.connections) {
    next(DescribeConnectionPins(*connection.from, *connection.to, filters));
    next(DescribeMajorType(*connection.media_type, {}));
    next(DescribeSubtype(*connection.media_type, {}));
    next(DescribeFormat(*connection.media_type->format));
  }
  if (graph.clock) next(DescribeClock(*graph.clock, "CLOCK", filters).clock);
  EXPECT_EQ(graph, read.result.graph);
}

Json SampleReport() {
  const Analysed read = AnalyseExactCopy(ReadWholeFile(SamplesDir() + "/capture-preview.grf"));
  return Json::parse(JsonOf(read.result.graph));
}

// What a person may change by hand comes back as changed, derived facts recomputed.
TEST(JsonReadBack, ReportsAnEditedGraphAsEdited) {
  Json report = SampleReport();
  Json& filters = report["graph"]["filters"];
  filters[0]["name"] = "Source déplacée ✓";
  filters[0]["file"]["path"] = "D:\\ailleurs\\film.avi";
  filters[0]["description"] = "never trusted";
  const std::string removed = filters[1]["id"];
  filters.erase(1);
  report["graph"]["clock"]["reference"] = "0000";  // the clock was the removed filter's
  Json& connections = report["graph"]["connections"];
  for (auto it = connections.begin(); it != connections.end();) {
    const bool touches = (*it)["from"]["id"] == removed || (*it)["to"]["id"] == removed;
    it = touches ? connections.erase(it) : it + 1;
  }
  const Analysed back = ReadBack(report.dump());
  ASSERT_TRUE(back.result.complete) << back.result.stop_reason;
  const GraphModel& graph = back.result.graph;
  EXPECT_EQ(graph.filters.size(), filters.size());
  EXPECT_EQ(graph.filters[0].name, "Source déplacée ✓");
  EXPECT_EQ(graph.filters[0].file->path, "D:\\ailleurs\\film.avi");
  EXPECT_EQ(graph.filters[0].description, std::nullopt);
  EXPECT_EQ(graph.connections.size(), connections.size());
  EXPECT_EQ(graph.filters[1].position, 2);  // positions follow the order anew
}

// Names that need escaping, a device, a repeated CLSID, an entry without one, an empty
// category, the registered classes; and the same without its classes, as an older export.
TEST(CatalogueJson, ComesBackAsWritten) {
  const Guid first = "{083863F1-70DE-11D0-BD40-00A0C911CE86}"_guid;
  const Guid second = "{DA4E3DA0-D07D-11D0-BD50-00A0C911CE86}"_guid;
  FilterCatalogue catalogue;
  catalogue.Known = true;
  catalogue.KnownCategories = {{"Filtres \"DirectShow\" ✓", first},
                               {"Vide\ttab", "{0A4252A0-7E70-11D0-A5D6-28DB04C10000}"_guid},
                               {"Périphériques", second}};
  const Guid splitter = "{1B544C20-FD0B-11CE-8C63-00AA0044B51E}"_guid;
  catalogue.KnownFilters = {  // name, CLSID, (graph name, number), display name, category
      {"AVI \\ Splitter", splitter, "", "", "", first},
      {"Twice", splitter, "", "", "", first},
      {"Sans CLSID", kGuidNull, "", "", "", first},
      {"Caméra", kClsidProxy, "", "", "@device:pnp:\\\\?\\usb#vid_046d&pid_0825#5&1#{65e8773d}\\global",
       second}};
  catalogue.KnownDmos = {{"WMVideo Decoder DMO", "{82D353DF-90BD-4382-8BC2-3F6192B76E34}"_guid}};
  catalogue.RegisteredClasses = {"{00000001-0000-0000-0000-000000000000}"_guid, splitter};
  std::ostringstream out;
  WriteCatalogueJson(catalogue, out);
  Json json = Json::parse(out.str());
  for (const bool older : {false, true}) {
    if (older) {
      json.erase("classes");
      catalogue.RegisteredClasses.clear();
    }
    const std::string text = json.dump();
    MemorySource source({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    EXPECT_TRUE(IsCatalogueJson(source));
    EXPECT_EQ(ReadCatalogueJson(source), catalogue) << text;
  }
}

// The report in UTF-8 with Notepad's mark, and in UTF-16 with its mark either way round.
std::string Encoded(const std::string& utf8, int encoding) {
  if (encoding == 0) return utf8;
  if (encoding == 1) return "\xEF\xBB\xBF" + utf8;
  const bool big = encoding == 3;
  std::string text = big ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : Utf16FromUtf8(utf8)) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    (text += big ? high : low) += big ? low : high;
  }
  return text;
}

// Characters of 1 to 4 UTF-8 bytes (a surrogate pair in UTF-16) astride every place where the
// reader's 64 KiB blocks end: every encoding reads back as the same graph.
TEST(JsonReadBack, ReadsEachEncodingAcrossBlockEnds) {
  const Analysed read = AnalyseExactCopy(ReadWholeFile(SamplesDir() + "/capture-preview.grf"));
  for (int pad = 0; pad < 4; ++pad) {
    Json report = Json::parse(JsonOf(read.result.graph));
    std::string long_text(static_cast<std::size_t>(pad), 'a');
    for (int i = 0; i < 12000; ++i) long_text += "é€😀";
    report["graph"]["filters"][0]["description"] = long_text;  // derived: read, then ignored
    for (int encoding = 0; encoding < 4; ++encoding) {
      const Analysed back = ReadBack(Encoded(report.dump(), encoding));
      EXPECT_TRUE(back.result.complete) << pad << " " << encoding << back.result.stop_reason;
      EXPECT_EQ(back.result.graph, read.result.graph) << pad << " " << encoding;
    }
  }
}

struct NumberEdit {
  const char* label;
  std::size_t connection, field;
  Json number;
  std::optional<std::uint8_t> byte = {};  // a new value for the number's first byte
  std::optional<std::int64_t> walked = {};  // the walk's number then; none: refused
  std::string_view problem = {};
};

// A field's number changed alone goes into the bytes, at each edge of its width and sign; the
// bytes changed alone win; both changed and disagreeing is refused naming both.
TEST(JsonReadBack, EditedNumbersGoIntoTheBytes) {
  const std::int64_t most = std::numeric_limits<std::int64_t>::max();
  const NumberEdit edits[] = {
      {"biWidth", 0, 6, 1920, {}, 1920},
      {"biWidthLargest", 0, 6, 2147483647, {}, 2147483647},
      {"biWidthSmallest", 0, 6, -2147483648LL, {}, -2147483648LL},
      {"biWidthTooLarge", 0, 6, 2147483648LL, {}, {}, texts::kJsonNumberDoesNotFit},
      {"biClrImportantLast", 0, 15, 7, {}, 7},
      {"AvgTimePerFrameLargest", 0, 4, most, {}, most},
      {"ChannelsLargest", 2, 1, 65535, {}, 65535},
      {"ChannelsTooLarge", 2, 1, 65536, {}, {}, texts::kJsonNumberDoesNotFit},
      {"ChannelsNegative", 2, 1, -1, {}, {}, texts::kJsonNumberDoesNotFit},
      {"DVAAuxSrcHex", 5, 0, 0xFFFFFFFFLL, {}, 0xFFFFFFFFLL},
      {"NotANumber", 0, 6, "1920", {}, {}, texts::kJsonWholeNumberExpected},
      {"BytesAlone", 0, 6, 640, 0x81, 0x281},
      {"BothDisagree", 0, 6, 1920, 0x81, {}, "et les octets de /graph/connections/0/media_type/format/bytes (641 à l'octet 52) ont changé tous les deux"},
      {"BothAgree", 0, 6, 0x281, 0x81, 0x281},
  };
  for (const NumberEdit& edit : edits) {
    Json report = SampleReport();
    Json& format = report["graph"]["connections"][edit.connection]["media_type"]["format"];
    Json& field = format["fields"][edit.field];
    field["number"] = edit.number;
    if (edit.byte) {
      std::string hex = format["bytes"];
      static constexpr char kDigits[] = "0123456789abcdef";
      hex[2 * 52] = kDigits[*edit.byte >> 4];
      hex[2 * 52 + 1] = kDigits[*edit.byte & 0xF];
      format["bytes"] = hex;
    }
    try {
      const Analysed back = ReadBack(report.dump());
      EXPECT_EQ(back.result.graph.connections[edit.connection].media_type->format->fields[edit.field]
                    .number,
                edit.walked)
          << edit.label;
    } catch (const JsonInputError& error) {
      EXPECT_FALSE(edit.walked) << edit.label << error.what();
      EXPECT_EQ(error.Pointer(), "/graph/connections/" + std::to_string(edit.connection) +
                                     "/media_type/format/fields/" + std::to_string(edit.field) +
                                     "/number") << edit.label;
      EXPECT_NE(std::string_view(error.what()).find(edit.problem), std::string::npos) << edit.label;
    }
  }
}

// Of an array of reports (what -f json A B writes), each is read by its number from 1.
TEST(JsonReadBack, PicksAReportOfSeveral) {
  const std::string two = "[" + SampleReport().dump() + ",\n" +
                          JsonOf(AnalyseExactCopy(ReadWholeFile(SamplesDir() + "/minimal-0002.grf"))
                                     .result.graph) + "]";
  MemorySource source({reinterpret_cast<const std::uint8_t*>(two.data()), two.size()});
  EXPECT_EQ(CountReports(source), 2u);
  const ReportGraph second = ReadReportGraph(source, 2);
  EXPECT_EQ(second.pointer, "/1/graph");
  EXPECT_EQ(GraphFromJson(second).version, "0002");
  EXPECT_EQ(GraphFromJson(ReadReportGraph(source, 1)).filters.size(), 9u);
  EXPECT_THROW(ReadReportGraph(source, 3), JsonInputError);
}

void ReadReport(std::string_view json) { ReadBack(json); }

void ReadCatalogue(std::string_view json) {
  MemorySource source({reinterpret_cast<const std::uint8_t*>(json.data()), json.size()});
  ReadCatalogueJson(source);
}

struct BadJson {
  const char* label;
  std::string text;
  std::string pointer;
  std::string_view problem;
  void (*read)(std::string_view json) = ReadReport;
};

constexpr std::string_view kCategory = R"({"name": "c", "clsid": "{083863F1-70DE-11D0-BD40-00A0C911CE86}", "filters": )";

// The sample's report with the value at `pointer` replaced.
std::string Changed(const char* pointer, Json value) {
  Json report = SampleReport();
  report[Json::json_pointer(pointer)] = std::move(value);
  return report.dump();
}

// The sample's report with its first connection's output end named by position alone.
std::string FromPosition(std::size_t position) {
  Json report = SampleReport();
  Json& end = report["graph"]["connections"][0]["from"];
  end.erase("id");
  end["position"] = position;
  return report.dump();
}

// Each side of the numbers' limits: the last filter, the largest sample size.
TEST(JsonReadBack, ReadsNumbersAtTheirLimits) {
  const Json report = SampleReport();
  const std::size_t filters = report["graph"]["filters"].size();
  const Analysed last = ReadBack(FromPosition(filters));
  ASSERT_TRUE(last.result.complete) << last.result.stop_reason;
  EXPECT_EQ(last.result.graph.connections[0].from->id,
            report["graph"]["filters"][filters - 1]["id"]);
  const Analysed largest =
      ReadBack(Changed("/graph/connections/0/media_type/sample_size", 4294967295u));
  ASSERT_TRUE(largest.result.complete) << largest.result.stop_reason;
  EXPECT_EQ(largest.result.graph.connections[0].media_type->sample_size, 4294967295u);
}

std::vector<BadJson> BadJsons() {
  const std::string whole = SampleReport().dump();
  const std::string first_id = SampleReport()["graph"]["filters"][0]["id"];
  const std::size_t filters = SampleReport()["graph"]["filters"].size();
  return {
      {"NotJson", "{\"graph\": x", "", "ligne 1, colonne 11 : ce n'est pas du JSON"},
      {"CutShort", "{\"graph\": {\"filters\": [", "", "ligne 1, colonne 24 : JSON coupé avant la fin"},
      {"NotAReport", "{\"lines\": []}", "", texts::kJsonNotReport},
      {"SeveralReports", "[" + whole + "," + whole + "]", "",
       "ce fichier JSON tient 2 rapports ; pour en lire un, nommez-le par son numéro, de "
       "/sweep/graph.grf#1 à /sweep/graph.grf#2"},
      {"WrongType", Changed("/graph/filters/0/name", 5), "/graph/filters/0/name",
       texts::kJsonStringExpected},
      {"Missing", Changed("/graph/connections/0/media_type", nullptr),
       "/graph/connections/0/media_type", texts::kJsonMissingMember},
      {"BadHex", Changed("/graph/filters/1/data", "0g"), "/graph/filters/1/data",
       texts::kJsonBadHex},
      {"BadGuid", Changed("/graph/filters/0/clsid", "{1234}"), "/graph/filters/0/clsid",
       texts::kJsonBadGuid},
      {"DuplicateId", Changed("/graph/filters/1/id", first_id), "/graph/filters/1/id",
       texts::kJsonDuplicateFilterId},
      {"NoSuchFilter", Changed("/graph/connections/0/from/id", "9999"),
       "/graph/connections/0/from/id", texts::kJsonNoSuchFilter},
      {"QuoteInText", Changed("/graph/connections/0/to/pin", "a\"b"), "/graph/connections/0/to/pin",
       texts::kJsonQuoteInText},
      // Just past the numbers' limits.
      {"PositionZero", FromPosition(0), "/graph/connections/0/from/position",
       texts::kJsonNoSuchFilter},
      {"PositionPastTheLast", FromPosition(filters + 1), "/graph/connections/0/from/position",
       texts::kJsonWholeNumberExpected},
      {"SampleSizePast32Bits", Changed("/graph/connections/0/media_type/sample_size", 4294967296u),
       "/graph/connections/0/media_type/sample_size", texts::kJsonWholeNumberExpected},
      {"TooDeep", "{\"graph\":" + std::string(40, '[') + std::string(40, ']') + "}",
       "/graph/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0", texts::kJsonTooDeep},
      // Where an edited report stops being one: the line and column of a text that is no JSON.
      {"DoubledCommaOnLine3", "{\n  \"graph\": {\n    \"version\": \"0003\",,\n", "",
       "ligne 3, colonne 23 : ce n'est pas du JSON"},
      {"InvalidUtf8AfterAccents", "{\"éé\": 1, \"graph\": \"\xC3\x28\"}", "",
       "ligne 1, colonne 21 : UTF-8 invalide"},
      {"LoneSurrogateUtf16", std::string("\xFF\xFE{\0\n\0\x00\xDC", 8), "",
       "ligne 2, colonne 1 : UTF-16 invalide"},
      {"OddByteUtf16", std::string("\xFE\xFF\0{\0", 5), "", "ligne 1, colonne 2 : UTF-16 invalide"},
      {"NoReport", "[]", "", texts::kJsonNoReport},
      {"ClockOfRemovedFilter", Changed("/graph/clock/reference", "0010"), "/graph/clock/reference",
       texts::kJsonClockOfNoFilter},
      {"NotACatalogue", whole, "", texts::kJsonNotCatalogue, ReadCatalogue},
      {"CatalogueWithoutDmos", R"({"categories": []})", "/dmos", texts::kJsonMissingMember,
       ReadCatalogue},
      {"CatalogueBadGuid", R"({"dmos": [{"name": "d", "clsid": "{1}"}], "categories": []})",
       "/dmos/0/clsid", texts::kJsonBadGuid, ReadCatalogue},
      {"CatalogueWrongType",
       R"({"dmos": [], "categories": [)" + std::string(kCategory) + R"([{"name": 5}]}]})",
       "/categories/0/filters/0/name", texts::kJsonStringExpected, ReadCatalogue},
      {"CatalogueCutShort", R"({"categories": [)" + std::string(kCategory),
       "", "ligne 1, colonne 93 : JSON coupé avant la fin", ReadCatalogue},
  };
}

class BadJsonInput : public ::testing::TestWithParam<BadJson> {};

TEST_P(BadJsonInput, IsRefusedWithItsPlace) {
  const BadJson& bad = GetParam();
  try {
    bad.read(bad.text);
    FAIL() << "read";
  } catch (const JsonInputError& error) {
    EXPECT_EQ(error.Pointer(), bad.pointer);
    EXPECT_TRUE(std::string_view(error.what()).ends_with(bad.problem)) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, BadJsonInput, ::testing::ValuesIn(BadJsons()),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace mivalto::testing

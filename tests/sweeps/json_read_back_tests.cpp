// A JSON report read back as an input: over every real file and sample it gives the report and
// the model of the file itself; edited, it is reported as edited; each fault is refused with
// its place, as in a catalogue file, which comes back as it was written.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "analysis/catalogue_json.h"
#include "analysis/connection_section.h"
#include "analysis/filter_description.h"
#include "analysis/graph_from_json.h"
#include "analysis/json_input.h"
#include "analysis/media_type_section.h"
#include "base/program_texts.h"
#include "report/catalogue_writer.h"
#include "report/json_writer.h"
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
  const Analysed back = ReadBack(JsonOf(read.result.graph));
  EXPECT_TRUE(back.result.complete) << back.result.stop_reason;
  EXPECT_EQ(back.result.graph, read.result.graph);
  EXPECT_EQ(back.lines, read.lines);
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

std::vector<BadJson> BadJsons() {
  const std::string whole = SampleReport().dump();
  const std::string first_id = SampleReport()["graph"]["filters"][0]["id"];
  return {
      {"NotJson", "{\"graph\": x", "/graph", texts::kJsonNotJson},
      {"CutShort", "{\"graph\": {\"filters\": [", "/graph/filters", texts::kJsonCutShort},
      {"NotAReport", "{\"lines\": []}", "", texts::kJsonNotReport},
      {"SeveralReports", "[" + whole + "," + whole + "]", "/1", texts::kJsonSeveralReports},
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
      {"TooDeep", "{\"graph\":" + std::string(40, '[') + std::string(40, ']') + "}",
       "/graph/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0", texts::kJsonTooDeep},
      {"NotACatalogue", whole, "", texts::kJsonNotCatalogue, ReadCatalogue},
      {"CatalogueWithoutDmos", R"({"categories": []})", "/dmos", texts::kJsonMissingMember,
       ReadCatalogue},
      {"CatalogueBadGuid", R"({"dmos": [{"name": "d", "clsid": "{1}"}], "categories": []})",
       "/dmos/0/clsid", texts::kJsonBadGuid, ReadCatalogue},
      {"CatalogueWrongType",
       R"({"dmos": [], "categories": [)" + std::string(kCategory) + R"([{"name": 5}]}]})",
       "/categories/0/filters/0/name", texts::kJsonStringExpected, ReadCatalogue},
      {"CatalogueCutShort", R"({"categories": [)" + std::string(kCategory),
       "/categories/0/filters", texts::kJsonCutShort, ReadCatalogue},
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

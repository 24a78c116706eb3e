// A JSON report read back as an input: over every real file and sample it gives the report and
// the model of the file itself; edited, it is reported as edited; each fault is refused with
// its place, as in a catalogue file, which comes back as it was written.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "analysis/catalogue_json.h"
#include "analysis/connection_section.h"
#include "analysis/derived_members.h"
#include "analysis/filter_description.h"
#include "analysis/graph_from_json.h"
#include "analysis/graph_members.h"
#include "analysis/json_input.h"
#include "analysis/json_value_writer.h"
#include "analysis/media_type_section.h"
#include "base/program_texts.h"
#include "base/text_encoding.h"
#include "report/catalogue/catalogue_writer.h"
#include "report/graph_file/graph_stream.h"
#include "report/formats/json_stream.h"
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
  for (const DerivedDifference& difference :
       DerivedDifferences(source, std::nullopt, back.result.graph, true, {})) {
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
    DeriveFilter(filter, {}, {});
    next(DescribeFilter(filter, {}).text);
    AppendToLargeVector(filters, ListingOf(filter));
  }
  for (ConnectionModel& connection : graph.connections) {
    next(DescribeConnectionPins(*connection.from, *connection.to, filters));
    MediaTypeModel& media = *connection.media_type;
    DeriveMajorType(media, {});
    next(MajorTypeLine(media));
    DeriveSubtype(media, {});
    next(SubtypeLine(media));
    DeriveFormat(*media.format);
    next(FormatLine(*media.format));
  }
  if (graph.clock) {
    DeriveClock(*graph.clock, filters);
    next(DescribeClock(*graph.clock, "CLOCK", filters).clock);
  }
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

// A member of a written graph: its place and the row that wrote it, and whether the walk reads
// it or something it holds as an edit.
struct WrittenMember {
  std::string pointer;
  const MemberRow* row;
  bool read_as_edit;
};

void CollectMembers(const Json& object, const MemberKind& kind, const std::string& pointer,
                    bool read_as_edit, std::vector<WrittenMember>& members) {
  for (const MemberRow& row : kind.rows) {
    const auto found = object.find(row.key);
    if (found == object.end()) continue;
    const std::string place = pointer + "/" + std::string(row.key);
    const bool edit = read_as_edit || row.origin == Origin::kEdit;
    members.push_back({place, &row, edit});
    if (row.kind == nullptr || found->is_null()) continue;
    if (!row.array) CollectMembers(*found, *row.kind, place, edit, members);
    for (std::size_t i = 0; row.array && i < found->size(); ++i) {
      CollectMembers((*found)[i], *row.kind, place + "/" + std::to_string(i), edit, members);
    }
  }
}

void CollectRows(const MemberKind& kind, std::set<const MemberRow*>& rows) {
  for (const MemberRow& row : kind.rows) {
    if (rows.insert(&row).second && row.kind != nullptr) CollectRows(*row.kind, rows);
  }
}

// Every member of every kind, as the graph's tables write it: a stored one of the wrong type is
// refused at its place, so the reader reads it there; a derived one edited is not read, and is
// told as the one difference from what the walk derived.
TEST(JsonReadBack, EachMemberIsReadOrToldAsItsRowSays) {
  GraphModel graph =
      AnalyseExactCopy(ReadWholeFile(SamplesDir() + "/capture-preview.grf")).result.graph;
  FilterModel& first = graph.filters[0];
  first.wraps = {kClsidSystemClock, kGuidNull, "@device:sw:x", 0x55, "DIVX"};
  first.registered = true;
  first.registered_name = "Source";
  JsonValueWriter tree;
  WriteGraphTree(tree, graph);
  const Json report = {{"graph", tree.Take()}};
  const GraphModel read = GraphFromJson({report["graph"], "/graph"});
  std::vector<WrittenMember> members;
  CollectMembers(report["graph"], GraphMembers(), "/graph", false, members);
  std::set<const MemberRow*> reached;
  for (const WrittenMember& member : members) {
    reached.insert(member.row);
    Json edited = report;
    const bool stored = member.row->origin == Origin::kStored;
    edited[Json::json_pointer(member.pointer)] = stored ? Json(-1) : Json("edited");
    if (stored) {
      try {
        GraphFromJson({edited["graph"], "/graph"});
        ADD_FAILURE() << member.pointer << " not read";
      } catch (const JsonInputError& error) {
        EXPECT_EQ(error.Pointer(), member.pointer) << error.what();
      }
      continue;
    }
    if (!member.read_as_edit) {
      EXPECT_EQ(GraphFromJson({edited["graph"], "/graph"}), read) << member.pointer;
    }
    const std::string text = edited.dump();
    MemorySource source({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    const std::vector<DerivedDifference> differences =
        DerivedDifferences(source, std::nullopt, graph, true, {});
    ASSERT_EQ(differences.size(), 1u) << member.pointer;
    EXPECT_EQ(differences[0].pointer, member.pointer);
  }
  std::set<const MemberRow*> rows;
  CollectRows(GraphMembers(), rows);
  EXPECT_EQ(reached, rows);
}

// The two emitters give the same tree: the text JsonStream writes, parsed, is the value
// JsonValueWriter builds, broken UTF-8 sequences and control characters included.
TEST(JsonReadBack, TreeEmittersAgree) {
  GraphModel graph =
      AnalyseExactCopy(ReadWholeFile(SamplesDir() + "/capture-preview.grf")).result.graph;
  graph.filters[0].name = "a\xC3\x28 b\xE2\x82 \x01\r\n\xF0\x9F\x98\x80 \xED\xA0\x80 \xE1";
  JsonValueWriter value;
  WriteGraphTree(value, graph);
  std::ostringstream text;
  {
    JsonStream stream(text);
    WriteGraphTree(stream, graph);
  }
  EXPECT_EQ(Json::parse(text.str()), value.Take());
}

// The file's filters and connections are compared as they are read, yet the differences come
// in the order of the graph's members by key (clock, connections, filters), whatever the
// file's order, with the places of the report picked of several.
TEST(JsonReadBack, TellsDifferencesInKeyOrderOfThePickedReport) {
  const Json sample = SampleReport();
  Json graph = sample["graph"];
  graph["filters"][1]["kind"] = "edited";
  graph["connections"][0]["media_type"]["subtype"]["name"] = "edited";
  graph["clock"]["position"] = 7;
  const std::string edited = R"({"graph": {"filters": )" + graph["filters"].dump() +
                             R"(, "connections": )" + graph["connections"].dump() +
                             R"(, "version": "0003", "clock": )" + graph["clock"].dump() + "}}";
  const std::string two = "[" + sample.dump() + ", " + edited + "]";
  MemorySource source({reinterpret_cast<const std::uint8_t*>(two.data()), two.size()});
  const GraphModel walked =
      AnalyseExactCopy(ReadWholeFile(SamplesDir() + "/capture-preview.grf")).result.graph;
  std::vector<std::string> pointers;
  for (const DerivedDifference& difference : DerivedDifferences(source, 2, walked, true, {})) {
    pointers.push_back(difference.pointer);
  }
  EXPECT_EQ(pointers, (std::vector<std::string>{"/1/graph/clock/position",
                                                "/1/graph/connections/0/media_type/subtype/name",
                                                "/1/graph/filters/1/kind"}));
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
// A report's graph is walked from its model as the graph file written from it is walked from
// its text, where the two could part: ids that are not the filters' numbers (a connection
// names its filter by the number its id folds to), one that names no filter.
TEST(JsonReadBack, WalksAsTheGraphFileWrittenFromIt) {
  const auto swapped = [](Json& graph) {
    std::swap(graph["filters"][0]["id"], graph["filters"][1]["id"]);
  };
  const auto past_the_last = [](Json& graph) {
    const std::string old_id = graph["filters"].back()["id"];
    graph["filters"].back()["id"] = "0099";
    for (Json& c : graph["connections"]) {
      for (Json* end : {&c["from"], &c["to"]}) {
        if ((*end)["id"] == old_id) (*end)["id"] = "0099";
      }
    }
  };
  const auto unchanged = [](Json&) {};
  for (void (*edit)(Json&) : {+unchanged, +swapped, +past_the_last}) {
    Json report = SampleReport();
    edit(report["graph"]);
    const std::string json = report.dump();
    const Analysed back = ReadBack(json);
    MemorySource source({reinterpret_cast<const std::uint8_t*>(json.data()), json.size()});
    const GraphModel stored = GraphFromJson(ReadReportGraph(source));
    const Analysed file = AnalyseExactCopy(GraphTextAsFile(GraphStream(stored)));
    EXPECT_EQ(back.result.stop_reason, file.result.stop_reason);
    EXPECT_EQ(back.result.graph, file.result.graph);
    EXPECT_EQ(back.lines, file.lines);
  }
}

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
      // A graph text's filter entry starts with a digit; its connections take four units.
      {"IdOfALetter", Changed("/graph/filters/0/id", "A001"), "/graph/filters/0/id",
       texts::kJsonBadFilterId},
      {"IdOfFiveUnits", Changed("/graph/filters/0/id", "000\U0001F600"), "/graph/filters/0/id",
       texts::kJsonBadFilterId},
      {"ClockReferenceCutByCr", Changed("/graph/clock/reference", "00\r1"),
       "/graph/clock/reference", texts::kJsonBadClockReference},
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

// --only-registered and each filter's `registered`, with catalogues written by hand: a filter
// is kept when its CLSID is among the catalogue's filters, a DMO wrapper when its DMO is among
// the DMOs; a dropped filter takes its connections with it and gives its clock to the system;
// the filters left are numbered anew. Without a catalogue nothing is known either way.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "report/graph_file/compound_file.h"
#include "support/filter_data.h"
#include "support/graph_text.h"
#include "support/guid_texts.h"
#include "support/temp_file.h"

namespace mivalto {
namespace {

using namespace testing::guids;
using testing::TempFile;

constexpr std::string_view kDmo = "{11111111-2222-3333-4444-555555555555}";

// Source -> DMO wrapper -> renderer, the renderer giving the clock.
testing::ByteVector ThreeFilters() {
  testing::GraphText text;
  text.Line("0003").Line("FILTERS");
  text.Filter({.number = "0001", .name = "Source", .clsid = std::string(kAsyncFileSource)});
  text.Filter({.number = "0002", .name = "DMO", .clsid = std::string(kDmoWrapper),
               .data = testing::DmoWrapperData(kDmo, kDmoVideoDecoder)});
  text.Filter({.number = "0003", .name = "Rendu", .clsid = std::string(kAudioRenderer)});
  text.Line("CONNECTIONS");
  const testing::MediaTypeEntry media{.major_type = std::string(kMajorAudio),
                                      .subtype = std::string(kSubtypePcm),
                                      .format_type = std::string(kNoFormat)};
  text.Connection({.from = "0001", .from_pin = "Out", .to = "0002", .to_pin = "In", .media = media});
  text.Connection({.from = "0002", .from_pin = "Out", .to = "0003", .to_pin = "In", .media = media});
  return CompoundFile(text.Clock("0003").End().Bytes());
}

std::string CatalogueJson(const std::vector<std::string_view>& filters,
                          const std::vector<std::string_view>& dmos) {
  nlohmann::json catalogue = {{"categories", nlohmann::json::array()},
                              {"dmos", nlohmann::json::array()}};
  nlohmann::json& listed = catalogue["categories"][0] = {
      {"name", "DirectShow Filters"},
      {"clsid", "{083863F1-70DE-11D0-BD40-00A0C911CE86}"},
      {"filters", nlohmann::json::array()}};
  for (const std::string_view clsid : filters) {
    listed["filters"].push_back({{"name", "f"}, {"clsid", clsid}});
  }
  for (const std::string_view clsid : dmos) {
    catalogue["dmos"].push_back({{"name", "d"}, {"clsid", clsid}});
  }
  return catalogue.dump();
}

// The JSON report's graph, in short: "0001 Source" per filter, "0001>0002" per connection, the
// clock's reference.
std::vector<std::string> Outline(const nlohmann::json& graph) {
  std::vector<std::string> outline;
  for (const nlohmann::json& filter : graph["filters"]) {
    outline.push_back(filter["id"].get<std::string>() + ' ' + filter["name"].get<std::string>());
  }
  for (const nlohmann::json& connection : graph["connections"]) {
    outline.push_back(connection["from"]["id"].get<std::string>() + '>' +
                      connection["to"]["id"].get<std::string>());
  }
  outline.push_back("CLOCK " + graph["clock"]["reference"].get<std::string>());
  return outline;
}

nlohmann::json Registered(const nlohmann::json& graph) {
  nlohmann::json registered = nlohmann::json::array();
  for (const nlohmann::json& filter : graph["filters"]) registered.push_back(filter["registered"]);
  return registered;
}

struct CliRun {
  int status;
  std::string out, err;
  nlohmann::json Graph() const { return nlohmann::json::parse(out)["graph"]; }
};

// mivalto-cli -f FORMAT [--catalogue-file CATALOGUE] [--only-registered] GRAPH
CliRun RunOn(std::string_view format, const TempFile& graph, const TempFile* catalogue = nullptr,
             bool only_registered = false) {
  std::ostringstream out, err;
  const CliOptions options{
      .format = FindOutputFormat(format, OutputFormats()),
      .output = {},
      .files = {graph.Utf8()},
      .catalogue_file = catalogue ? std::optional(catalogue->Utf8()) : std::nullopt,
      .only_registered = only_registered};
  const int status = RunCli(options, out, err);
  return {status, out.str(), err.str()};
}

TempFile FileOf(std::string_view bytes, std::string_view name) {
  return {{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, name};
}

struct RegisteredCase {
  const char* name;
  std::vector<std::string_view> filters, dmos;  // what the catalogue lists
  std::vector<bool> registered;
  int status;
  std::vector<std::string> kept;
  std::size_t said;  // lines on the error stream: one per filter and connection dropped, clock
};

TEST(OnlyRegistered, KeepsWhatTheCatalogueLists) {
  const RegisteredCase cases[] = {
      {"EverythingListed", {kAsyncFileSource, kAudioRenderer}, {kDmo}, {true, true, true}, 0,
       {"0001 Source", "0002 DMO", "0003 Rendu", "0001>0002", "0002>0003", "CLOCK 0003"}, 0},
      {"FirstMissing", {kAudioRenderer}, {kDmo}, {false, true, true}, 1,
       {"0001 DMO", "0002 Rendu", "0001>0002", "CLOCK 0002"}, 2},
      {"ClockGiverMissing", {kAsyncFileSource}, {kDmo}, {true, true, false}, 1,
       {"0001 Source", "0002 DMO", "0001>0002", "CLOCK " + std::string(kSystemClock)}, 3},
      // A DMO the DMOs' list lacks can still be created when the machine registers its class.
      {"DmoClassAmongTheFilters", {kAsyncFileSource, kAudioRenderer, kDmo}, {}, {true, true, true},
       0, {"0001 Source", "0002 DMO", "0003 Rendu", "0001>0002", "0002>0003", "CLOCK 0003"}, 0},
      {"DmoNowhere", {kAsyncFileSource, kAudioRenderer}, {}, {true, false, true}, 1,
       {"0001 Source", "0002 Rendu", "CLOCK 0002"}, 3},
  };
  const TempFile input{ThreeFilters(), "trois.grf"};
  for (const RegisteredCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TempFile catalogue = FileOf(CatalogueJson(c.filters, c.dmos), "catalogue.json");
    EXPECT_EQ(Registered(RunOn("json", input, &catalogue).Graph()), nlohmann::json(c.registered));
    const CliRun dropped = RunOn("grf", input, &catalogue, true);
    EXPECT_EQ(dropped.status, c.status) << dropped.err;
    EXPECT_EQ(std::count(dropped.err.begin(), dropped.err.end(), '\n'), c.said) << dropped.err;
    EXPECT_EQ(Outline(RunOn("json", FileOf(dropped.out, "écrit.grf")).Graph()), c.kept);
  }
}

#ifndef _WIN32
// Here no catalogue is the machine's: nothing is said registered or not.
TEST(OnlyRegistered, WithoutACatalogueNothingIsKnown) {
  const nlohmann::json graph = RunOn("json", TempFile{ThreeFilters(), "trois.grf"}).Graph();
  EXPECT_EQ(Registered(graph), nlohmann::json::parse("[null, null, null]"));
}
#endif

}  // namespace
}  // namespace mivalto

// What the .grf writer refuses: a text the file format can't store (a double quote in a name,
// pin or path; the reader ends each at its first quote) is never written, whichever text holds
// it. Everything else is the round trip's (sweeps).
#include <gtest/gtest.h>

#include "report/graph_file/grf_writer.h"

namespace mivalto {
namespace {

GraphModel OneConnection() {
  GraphModel graph;
  graph.version = "0003";
  for (const char* id : {"0001", "0002"}) {
    FilterModel& filter = graph.filters.emplace_back();
    filter.id = id;
    filter.name = std::string("filtre ") + id;
    filter.clsid = Guid{};
  }
  graph.filters[0].file = FileClause{"SOURCE", "C:\\a.avi"};
  ConnectionModel& connection = graph.connections.emplace_back();
  connection.from = PinEnd{1, "Sortie", "0001"};
  connection.to = PinEnd{2, "Entrée", "0002"};
  connection.media_type = MediaTypeModel{NamedGuid{}, NamedGuid{}, true, false, 0u,
                                         FormatModel{NamedGuid{}, 0, {}, {}}};
  graph.clock = ClockModel{true, "0000", ClockKind::kNone, std::nullopt};
  return graph;
}

TEST(GrfWriter, RefusesADoubleQuoteWhereverItIs) {
  const struct {
    const char* name;
    void (*put)(GraphModel&);
  } rows[] = {
      {"name", [](GraphModel& g) { g.filters[1].name = "un \"nom\""; }},
      {"path", [](GraphModel& g) { g.filters[0].file->path = "C:\\\"a.avi"; }},
      {"output pin", [](GraphModel& g) { g.connections[0].from->pin = "\""; }},
      {"input pin", [](GraphModel& g) { g.connections[0].to->pin = "a\"b"; }},
  };
  const ReportView view;
  GraphModel plain = OneConnection();
  EXPECT_EQ(PrepareGrf(std::vector{ReportDocument{"g.grf", true, &view, &plain}}).refusal, std::nullopt);
  for (const auto& row : rows) {
    GraphModel graph = OneConnection();
    row.put(graph);
    const ReportDocument document{"g.grf", true, &view, &graph};
    EXPECT_TRUE(PrepareGrf(std::span(&document, 1)).refusal) << row.name;
  }
}

}  // namespace
}  // namespace mivalto

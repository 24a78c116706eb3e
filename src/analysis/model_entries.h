// The entries of a graph model filled with what an input stores (a JSON report's graph, a
// running graph walked through its interfaces), handed to the walk one at a time as a graph
// text would hand them: see GraphEntries. What the model's members derive is left out, to be
// derived anew. A connection end names its filter by number, as in a graph text: the number its
// id's four characters fold to; a number no filter has ends the walk as in a file.
#pragma once

#include "analysis/graph_entries.h"

namespace mivalto {

class ModelEntries final : public GraphEntries {
 public:
  // graph: every member set, as GraphFromJson and the running-graph reader give it.
  explicit ModelEntries(GraphModel graph) : graph_(std::move(graph)) {}

  std::string Version() override { return *graph_.version; }
  std::string SectionTitle() override;
  bool HasEntry() override;
  FilterAsRead Filter(int position) override;
  ConnectionPins Pins(const GraphFilterList& filters) override;
  void MajorType(MediaTypeModel& media, MediaTypeSpelling& spelling) override;
  void Subtype(MediaTypeModel& media, MediaTypeSpelling& spelling) override;
  std::optional<std::uint64_t> Format(MediaTypeModel& media) override;
  void EndConnection() override {}
  ClockEntry Clock() override;
  std::optional<std::string> EndMarker() override;
  std::optional<std::uint64_t> Offset() const override { return std::nullopt; }
  std::uint64_t TextStart() const override { return 0; }

 private:
  GraphModel graph_;  // entries leave it as they are handed out
  int section_ = 0;   // the sections whose title was handed out
  MediaTypeModel media_;  // the media type of the connection handed out last
};

}  // namespace mivalto

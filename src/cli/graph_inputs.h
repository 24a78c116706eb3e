// The graphs the command line names: each file given is one graph, but a JSON file of several
// reports (what --format json writes for several files) is that many, in order, and
// "FILE.json#N" names its Nth alone. Where one graph is wanted per file (grf, cpp, each side of
// --compare), a file of several says how many it holds and how to name one. And what the walk
// of an edited JSON report ignored, told on the error stream.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/graph_model.h"

namespace mivalto {

struct GraphInput {
  std::string path;                   // the file, UTF-8, as given but for its "#N"
  std::optional<std::size_t> report;  // which report of the file, from 1
  bool json = false;                  // the file is a JSON report
};

// The graphs of the files given, in order; none, after saying why on err, when a file of
// several reports is given where one_graph_each.
std::optional<std::vector<GraphInput>> GraphInputs(const std::vector<std::string>& files,
                                                   bool one_graph_each, std::ostream& err);

// The path the report shows for the input: absolute, with "#N" for a report of several.
std::string ShownPath(const GraphInput& input);

// For a JSON report: each derived member that differs from what its walk derived (`walked`,
// and the fields whose numbers it wrote), as "<pointer> : lu <value>, recalculé <value> :
// ignoré".
std::vector<std::string> IgnoredMembers(const GraphInput& input, const GraphModel& walked,
                                        const std::vector<std::string>& numbers_written,
                                        bool catalogue_known);

}  // namespace mivalto

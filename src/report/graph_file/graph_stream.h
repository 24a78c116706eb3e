// A graph model as the text of a graph file's "ActiveMovieGraph" stream, in the dialect
// DirectShow itself writes (a NUL before each format type, nothing after the format block,
// each connection's length counted): a file read in that dialect comes back byte for byte,
// one read in another comes back in this one, with the same model. The .grf writer puts it in
// a compound document.
#pragma once

#include <cstdint>
#include <vector>

#include "model/graph_model.h"

namespace mivalto {

// For the model of a walk that reached its end (every member set) whose texts are all
// storable (no double quote inside a name, pin or path).
std::vector<std::uint8_t> GraphStream(const GraphModel& graph);

}  // namespace mivalto

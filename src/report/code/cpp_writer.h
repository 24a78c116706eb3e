// --format cpp: one complete C++ source file that rebuilds a graph file's graph, from the graph
// model alone (nothing is created to write it). BuildGraph(IGraphBuilder*) creates each filter
// by its CLSID under its name, gives it back its data block (IPersistStream::Load) and its
// SOURCE/SINK path, connects each pin pair with the connection's full media type and sets the
// clock; every call is checked and a failure says what failed. A small wmain runs it. Every
// text from the file is spelled by WideLiteral, so the file can't inject code.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "model/graph_model.h"
#include "report/report_writer.h"

namespace mivalto {

// The source for `graph`; file_name (UTF-8) is named in its first comment, and source_name,
// the name it is written under, in its compile line (empty: the graph file's with ".cpp").
std::string GraphCpp(const GraphModel& graph, std::string_view file_name,
                     std::string_view source_name = {});

// The source of each complete report's graph, one after the other (give one graph for one
// program); a walk that ended early gives nothing, since half a graph is not a program, and
// the command line says why.
void WriteCpp(std::span<const ReportDocument> documents, std::ostream& out);

}  // namespace mivalto

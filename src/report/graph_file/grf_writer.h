// --format grf: the graph model written back as a graph file, a compound document whose one
// "ActiveMovieGraph" stream is the graph's text (report/graph_file/graph_stream.h). A model holds no text
// the file format can't store (a double quote inside a name, pin or path): such a graph is
// refused, never written wrongly.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "model/graph_model.h"
#include "report/graph_file/graph_stream.h"
#include "report/report_writer.h"

namespace mivalto {

// The graph file of the first report, its stream made once: refused (French) for a text with a
// double quote or a stream too large for the document. A walk that ended early is not looked
// at: nothing is written for it.
PreparedOutput PrepareGrf(std::span<const ReportDocument> documents);

// The graph file that PrepareGrf makes, when it is not refused; nothing otherwise (the
// command line says why).
void WriteGrf(std::span<const ReportDocument> documents, std::ostream& out);

}  // namespace mivalto

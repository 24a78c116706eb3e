// The graph's picture in Graphviz's DOT language, written from the graph model alone: one
// node per filter (its number and name as the report writes them, the name the report gives
// its class, and what it wraps for a DMO, the ACM wrapper or the AVI compressor, or a device's
// display name, in its kind's colour), one edge per connection from the output pin to the
// input pin, labelled with both pin names, the subtype and the figures read first (width ×
// height, or sample rate, channels and bits), each on a line of its own. Every text of the file is inert: it is cleaned of control characters,
// its quotes, backslashes and ampersands are written as entities, and it is cut to a
// readable length (PictureText), so that Graphviz lays out any file's picture quickly.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/graph_model.h"
#include "report/report_writer.h"

namespace mivalto {

// DOT attributes that a picture adds to some of its nodes and edges (what a comparison found
// removed, added or changed), by index in the model's filters and connections; an entry
// beyond the end or empty adds none.
struct PictureMarks {
  std::vector<std::string_view> filters;
  std::vector<std::string_view> connections;
};

struct TitledGraph {
  const GraphModel* graph = nullptr;  // never null
  std::string title;                  // UTF-8, shown above the graph
  const PictureMarks* marks = nullptr;
};

// One graph alone; several graphs in one picture, a box (cluster) each, titled.
void WriteGraphsDot(std::span<const TitledGraph> graphs, std::ostream& out);

// The title of one report's picture: the file's name, with a note when the walk ended early.
std::string PictureTitle(const ReportDocument& document);

// Each report's graph with its title; a report without a walk has an empty graph.
std::vector<TitledGraph> TitledGraphs(std::span<const ReportDocument> documents);

// The writer of --format dot: the reports' graphs, as WriteGraphsDot draws them.
void WriteDot(std::span<const ReportDocument> documents, std::ostream& out);

// A text of the file as the picture shows it: printable, and cut to its first 47 characters
// and "…" when longer than 48 (whole in the reports).
std::string PictureText(std::string_view utf8);

// Appends a text inside a DOT string: printable, with its quotes, backslashes and ampersands
// as entities, so that it can neither end the string nor start an escape.
void AppendDotText(std::string_view utf8, std::string& out);

}  // namespace mivalto

#include "report/picture/graph_dot.h"

#include <optional>

#include "analysis/media_type_label.h"
#include "base/file_path.h"
#include "base/program_texts.h"
#include "base/text_encoding.h"
#include "model/filter_kind.h"
#include "report/buffered_output.h"

namespace mivalto {
namespace {

constexpr std::string_view kAttributes =
    "  graph [rankdir=TB, labelloc=t, fontname=\"Helvetica\", fontsize=12];\n"
    "  node [shape=box, style=rounded, fontname=\"Helvetica\", fontsize=11];\n"
    "  edge [fontname=\"Helvetica\", fontsize=9];\n";

// Graphviz reads entities in every label, before its own backslash escapes: a file's quote or
// backslash written as an entity can neither end the DOT string nor start an escape such as
// \N; "&#92;&#92;" decodes to the escape of one backslash.
struct DotEscape {
  char character;
  std::string_view text;
};
constexpr DotEscape kDotEscapes[] = {
    {'&', "&amp;"},
    {'"', "&quot;"},
    {'\\', "&#92;&#92;"},
};

}  // namespace

void AppendDotText(std::string_view utf8, std::string& out) {
  for (const char c : PrintableText(utf8)) {
    const DotEscape* escape = nullptr;
    for (const DotEscape& entry : kDotEscapes) {
      if (entry.character == c) escape = &entry;
    }
    if (escape != nullptr) {
      out += escape->text;
    } else {
      out += c;
    }
  }
}

namespace {

// Graphviz's line break inside a label, centred.
constexpr std::string_view kLabelBreak = "\\n";

// A picture shows at most this many characters of any one text of the file (a name, a pin, a
// label line): Graphviz's layout time grows faster than its labels, and a longer text is
// read in the report anyway.
constexpr std::size_t kMostShownCodePoints = 48;
constexpr std::string_view kCutMark = "…";

void AppendShownText(std::string_view utf8, std::string& out) {
  AppendDotText(PictureText(utf8), out);
}

std::string NodeId(std::string_view prefix, int position) {
  return std::string(prefix) + 'f' + std::to_string(position);
}

// What the node says under the name of a filter that wraps something: a device by the display
// name its data block stores (the proxy's CLSID, which every device shares, tells nothing), any
// other wrapper as its report line says it.
const std::string* WrappedText(const FilterModel& filter) {
  if (filter.kind == FilterKind::kDirectShow) return nullptr;
  if (filter.wraps.device) return &*filter.wraps.device;
  return filter.description ? &*filter.description : nullptr;
}

// The class's name, unless the name or what the filter wraps already says it: a wrapper's
// class name is the start of its report line, but not of a device's display name.
bool ShowsRegisteredName(const FilterModel& filter) {
  if (!filter.registered_name || *filter.registered_name == filter.name) return false;
  return filter.kind == FilterKind::kDirectShow || filter.wraps.device.has_value();
}

// Ends a statement's attributes, with the picture's own mark for it.
void AppendMark(std::string_view mark, std::string& dot) {
  if (!mark.empty()) (dot += ", ") += mark;
  dot += "];\n";
}

std::string_view MarkAt(const std::vector<std::string_view>& marks, std::size_t index) {
  return index < marks.size() ? marks[index] : std::string_view();
}

// At most three lines, so that a reader finds the filter in the report: its number and name
// as the report writes them, the name the report gives its class, and what it wraps.
void AppendNode(const FilterModel& filter, std::string_view prefix, std::string_view mark,
                std::string& dot) {
  const std::string color = ColorHex(KindRow(filter.kind).color);
  dot += "  " + NodeId(prefix, filter.position) + " [label=\"";
  AppendShownText(filter.id, dot);
  dot += "  ";
  AppendShownText(filter.name, dot);
  if (ShowsRegisteredName(filter)) {
    dot += kLabelBreak;
    AppendShownText(*filter.registered_name, dot);
  }
  if (const std::string* wrapped = WrappedText(filter)) {
    dot += kLabelBreak;
    AppendShownText(*wrapped, dot);
  }
  dot += "\", color=\"" + color + "\", fontcolor=\"" + color + "\"";
  AppendMark(mark, dot);
}

// A connection the walk read whole joins two filters of the list; one cut short has no edge.
bool Joins(const ConnectionModel& connection, const GraphModel& graph) {
  const auto listed = [&](const std::optional<PinEnd>& end) {
    return end && end->position >= 1 &&
           static_cast<std::size_t>(end->position) <= graph.filters.size();
  };
  return listed(connection.from) && listed(connection.to);
}

void AppendEdge(const ConnectionModel& connection, std::string_view prefix, std::string_view mark,
                std::string& dot) {
  dot += "  " + NodeId(prefix, connection.from->position) + " -> " +
         NodeId(prefix, connection.to->position) + " [label=\"";
  AppendShownText(connection.from->pin, dot);
  dot += " → ";
  AppendShownText(connection.to->pin, dot);
  if (connection.media_type) {
    for (const std::string& line : {MediaTypeName(*connection.media_type),
                                    MediaTypeFigures(*connection.media_type)}) {
      if (line.empty()) continue;
      dot += kLabelBreak;
      AppendShownText(line, dot);
    }
  }
  dot += '"';
  AppendMark(mark, dot);
}

void AppendLabel(std::string_view indent, std::string_view title, std::string& dot) {
  dot += indent;
  dot += "label=\"";
  AppendDotText(title, dot);
  dot += "\";\n";
}

void WriteGraphStatements(const TitledGraph& titled, std::string_view prefix, BufferedOutput& output) {
  static const PictureMarks kNoMarks;
  const GraphModel& graph = *titled.graph;
  const PictureMarks& marks = titled.marks != nullptr ? *titled.marks : kNoMarks;
  for (std::size_t i = 0; i < graph.filters.size(); ++i) {
    AppendNode(graph.filters[i], prefix, MarkAt(marks.filters, i), output.Bytes());
  }
  for (std::size_t i = 0; i < graph.connections.size(); ++i) {
    const ConnectionModel& connection = graph.connections[i];
    if (!Joins(connection, graph)) continue;
    AppendEdge(connection, prefix, MarkAt(marks.connections, i), output.Bytes());
  }
}

}  // namespace

// The text is cut before it is cleaned, so that a long one costs no more than a short one:
// each unit kept gives at least one printable character.
std::string PictureText(std::string_view utf8) {
  std::string printable = PrintableText(CutToCodePoints(utf8, kMostShownCodePoints + 1));
  if (CodePointCount(printable) <= kMostShownCodePoints) return printable;
  return std::string(CutToCodePoints(printable, kMostShownCodePoints - 1)) + std::string(kCutMark);
}

std::string PictureTitle(const ReportDocument& document) {
  std::string title(FileNameOf(document.file));
  if (!document.complete) title += " (" + std::string(texts::kGraphIncomplete) + ")";
  return title;
}

std::vector<TitledGraph> TitledGraphs(std::span<const ReportDocument> documents) {
  static const GraphModel kNoGraph;
  std::vector<TitledGraph> graphs;
  for (const ReportDocument& document : documents) {
    graphs.push_back(
        {document.graph != nullptr ? document.graph : &kNoGraph, PictureTitle(document)});
  }
  return graphs;
}

void WriteDot(std::span<const ReportDocument> documents, std::ostream& out) {
  WriteGraphsDot(TitledGraphs(documents), out);
}

void WriteGraphsDot(std::span<const TitledGraph> graphs, std::ostream& out) {
  BufferedOutput output(out);
  output.Bytes() += "digraph mivalto {\n";
  output.Bytes() += kAttributes;
  if (graphs.size() == 1) {
    AppendLabel("  ", graphs.front().title, output.Bytes());
    WriteGraphStatements(graphs.front(), "", output);
  } else {
    for (std::size_t i = 0; i < graphs.size(); ++i) {
      const std::string prefix = 'g' + std::to_string(i + 1) + '_';
      output.Bytes() += "  subgraph cluster_" + std::to_string(i + 1) + " {\n";
      AppendLabel("  ", graphs[i].title, output.Bytes());
      WriteGraphStatements(graphs[i], prefix, output);
      output.Bytes() += "  }\n";
    }
  }
  output.Bytes() += "}\n";
}

}  // namespace mivalto

// Random hostile names read back through Graphviz's own parser, which must see exactly the
// filters and connections of the model and, in every label, exactly the cleaned text of the
// file: no quote, backslash, entity or control character of a file acts in the DOT text.
#include <graphviz/cgraph.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>
#include <string>

#include "analysis/media_type_label.h"
#include "../graph_samples.h"

namespace mivalto {
namespace {

using namespace testing::graph_samples;

// Graphviz's reading of a label: entities first, then its backslash escapes.
std::string GraphvizLabelText(std::string_view label) {
  static constexpr std::pair<std::string_view, std::string_view> kEntities[] = {
      {"&amp;", "&"}, {"&quot;", "\""}, {"&#92;", "\\"}};
  std::string decoded;
  while (!label.empty()) {
    bool matched = false;
    for (const auto& [entity, text] : kEntities) {
      if (label.starts_with(entity)) {
        decoded += text;
        label.remove_prefix(entity.size());
        matched = true;
        break;
      }
    }
    if (!matched) {
      decoded += label.front();
      label.remove_prefix(1);
    }
  }
  std::string text;
  for (std::size_t i = 0; i < decoded.size(); ++i) {
    if (decoded[i] == '\\' && i + 1 < decoded.size()) {
      ++i;
      text += decoded[i] == 'n' ? '\n' : decoded[i];
    } else {
      text += decoded[i];
    }
  }
  return text;
}

// The bytes a hostile file may put in a name: DOT's and Graphviz's specials, label escape
// letters, entity pieces, controls, bytes that are not UTF-8, and accented letters.
constexpr std::string_view kHostileBytes[] = {
    "\"",   "\\",      "{",    "}",    "<",     ">",    "&",    ";", "#",
    "9",    "2",       "amp",  "quot", "N",     "n",    "G",    "l", "\n",
    "\r",   "\x01",    "\x1b", "\t",   " ",     "|",    "[",    "]", "=",
    ",",    "-",       "->",   "//",   "/*",    "\xFF", "\xC3", "é", "\xE2\x80\xAE",
    "\x7F", "digraph", "}\n}", "\\\"", "&#92;", "&amp;"};

std::string HostileText(std::mt19937& random) {
  std::uniform_int_distribution<std::size_t> length(0, 12);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kHostileBytes) - 1);
  std::string text;
  for (std::size_t n = length(random); n > 0; --n) text += kHostileBytes[piece(random)];
  return text;
}

GraphModel HostileGraph(std::mt19937& random) {
  GraphModel graph;
  const int filters = std::uniform_int_distribution<int>(1, 6)(random);
  for (int position = 1; position <= filters; ++position) {
    graph.filters.push_back(
        Filter(position, HostileText(random), FilterKind::kDmo, HostileText(random)));
  }
  std::uniform_int_distribution<int> any_filter(1, filters);
  for (int n = std::uniform_int_distribution<int>(0, 6)(random); n > 0; --n) {
    graph.connections.push_back(Connection(any_filter(random), HostileText(random),
                                           any_filter(random), HostileText(random)));
    graph.connections.back().media_type =
        Media("", {{"biWidth", HostileText(random)}, {"biHeight", HostileText(random)}});
  }
  return graph;
}

struct GraphClose {
  void operator()(Agraph_t* graph) const { agclose(graph); }
};

std::string LabelOf(void* object) { return GraphvizLabelText(agget(object, (char*)"label")); }

std::multiset<std::string> EdgeLabels(Agraph_t* graph) {
  std::multiset<std::string> labels;
  for (Agnode_t* node = agfstnode(graph); node != nullptr; node = agnxtnode(graph, node)) {
    for (Agedge_t* edge = agfstout(graph, node); edge != nullptr; edge = agnxtout(graph, edge)) {
      labels.insert(LabelOf(edge));
    }
  }
  return labels;
}

std::multiset<std::string> ExpectedEdgeLabels(const GraphModel& graph) {
  std::multiset<std::string> labels;
  for (const ConnectionModel& connection : graph.connections) {
    std::string label = PictureText(connection.from->pin) + " → " + PictureText(connection.to->pin);
    for (const std::string& line : {MediaTypeName(*connection.media_type),
                                    MediaTypeFigures(*connection.media_type)}) {
      if (!line.empty()) label += "\n" + PictureText(line);
    }
    labels.insert(label);
  }
  return labels;
}

TEST(GraphDot, HostileNamesReadBackThroughGraphviz) {
  agseterr(AGMAX);
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    const GraphModel graph = HostileGraph(random);
    const std::string title = HostileText(random);
    const std::string dot = Dot(graph, title);
    const std::unique_ptr<Agraph_t, GraphClose> read(agmemread(dot.c_str()));
    ASSERT_NE(read, nullptr) << dot;
    ASSERT_EQ(agnnodes(read.get()), static_cast<int>(graph.filters.size())) << dot;
    ASSERT_EQ(agnedges(read.get()), static_cast<int>(graph.connections.size())) << dot;
    EXPECT_EQ(LabelOf(read.get()), PrintableText(title)) << dot;
    Agnode_t* node = agfstnode(read.get());
    for (const FilterModel& filter : graph.filters) {
      ASSERT_NE(node, nullptr);
      EXPECT_EQ(LabelOf(node), filter.id + "  " + PictureText(filter.name) + '\n' +
                                   PictureText(*filter.description))
          << dot;
      node = agnxtnode(read.get(), node);
    }
    EXPECT_EQ(EdgeLabels(read.get()), ExpectedEdgeLabels(graph)) << dot;
  }
}

}  // namespace
}  // namespace mivalto

#include <graphviz/gvc.h>

#include <memory>
#include <sstream>

#include "report/picture/graph_svg.h"
#include "report/picture/graphviz_plugins.h"

namespace mivalto {
namespace {

struct GraphClose {
  void operator()(Agraph_t* graph) const { agclose(graph); }
};
struct RenderDataFree {
  void operator()(char* data) const { gvFreeRenderData(data); }
};

// Graphviz's notes go to standard error, where the tool's own notes are: keep them out.
void QuietGraphviz() { agseterr(AGMAX); }

// Bounds on the layout's two costly searches (the network simplex iterations, per node, and
// the crossing minimisation passes): real graphs lay out the same, crafted ones in seconds.
struct LayoutBound {
  const char* name;
  const char* value;
};
constexpr LayoutBound kLayoutBounds[] = {
    {"nslimit", "1"},
    {"nslimit1", "1"},
    {"mclimit", "0.3"},
};

void BoundLayout(Agraph_t* graph) {
  for (const LayoutBound& bound : kLayoutBounds) {
    agattr(graph, AGRAPH, const_cast<char*>(bound.name), const_cast<char*>(bound.value));
  }
}

// One context for the whole run, never freed: Graphviz keeps what it measured of the text's
// fonts beyond a context, and a second context read what the first one freed.
GVC_t* SharedContext() {
  static GVC_t* const context = NewGraphvizContext();
  return context;
}

// Graphviz says that it failed by its return codes (its messages are kept quiet): a graph it
// can't read, lay out or render.
std::string RenderSvg(const std::string& dot) {
  QuietGraphviz();
  GVC_t* const context = SharedContext();
  const std::unique_ptr<Agraph_t, GraphClose> graph(agmemread(dot.c_str()));
  if (!context || !graph) throw PictureFailure();
  BoundLayout(graph.get());
  if (gvLayout(context, graph.get(), "dot") != 0) throw PictureFailure();
  char* data = nullptr;
  unsigned int length = 0;
  const int rendered = gvRenderData(context, graph.get(), "svg", &data, &length);
  const std::unique_ptr<char, RenderDataFree> kept(data);
  gvFreeLayout(context, graph.get());
  if (rendered != 0 || data == nullptr) throw PictureFailure();
  return std::string(data, length);
}

}  // namespace

std::optional<std::string> GraphsSvg(std::span<const TitledGraph> graphs) {
  if (PictureElements(graphs) > kMostDrawnElements) return std::nullopt;
  std::ostringstream dot;
  WriteGraphsDot(graphs, dot);
  return RenderSvg(dot.str());
}

void WriteSvg(std::span<const ReportDocument> documents, std::ostream& out) {
  const std::optional<std::string> svg = GraphsSvg(TitledGraphs(documents));
  if (!svg) {
    out.setstate(std::ios::failbit);
    return;
  }
  out.write(svg->data(), static_cast<std::streamsize>(svg->size()));
}

}  // namespace mivalto

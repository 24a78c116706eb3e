// Where Graphviz finds its plugins (the dot layout and the SVG renderer): a new Graphviz
// context that knows them. One .cpp per build: Linux loads the plugins that Debian installs;
// the static Windows build has them linked in.
#pragma once

#include <graphviz/gvc.h>

namespace mivalto {

// Null when Graphviz can't make one.
GVC_t* NewGraphvizContext();

}  // namespace mivalto

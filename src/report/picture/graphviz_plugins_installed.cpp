#include "report/picture/graphviz_plugins.h"

namespace mivalto {

// The plugins Debian's Graphviz lists in its configuration, loaded when first used.
GVC_t* NewGraphvizContext() { return gvContext(); }

}  // namespace mivalto

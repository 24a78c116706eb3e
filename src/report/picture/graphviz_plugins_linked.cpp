#include "report/picture/graphviz_plugins.h"

// The plugins' entry points, in the static libraries scripts/setup builds.
extern "C" {
extern gvplugin_library_t gvplugin_dot_layout_LTX_library;
extern gvplugin_library_t gvplugin_core_LTX_library;
}

namespace mivalto {
namespace {

// Graphviz's table of preloaded plugins, by the names libtool would give them; null ends it.
const lt_symlist_t kLinkedPlugins[] = {
    {"gvplugin_dot_layout_LTX_library", &gvplugin_dot_layout_LTX_library},
    {"gvplugin_core_LTX_library", &gvplugin_core_LTX_library},
    {nullptr, nullptr},
};

}  // namespace

// Only the linked plugins: this build loads none from files.
GVC_t* NewGraphvizContext() { return gvContextPlugins(kLinkedPlugins, 0); }

}  // namespace mivalto

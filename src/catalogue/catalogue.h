// The filter catalogue: the DirectShow filters registered on this machine, category by
// category, the installed DMOs and the registered classes, listed once at start-up so that
// the filters of a graph can be named, classified and told creatable. Where the platform has
// no DirectShow the lists are empty.
#pragma once

#include <string>
#include <vector>

#include "base/guid.h"
#include "catalogue/filter_classes.h"

namespace mivalto {

// A filter: of the catalogue (Name, CLSID, DisplayName, Category) or of the graph being
// analysed (Number, GraphName, CLSID). Texts are UTF-8.
struct TfilterItem {
  std::string Name;         // friendly name, at most 255 characters
  Guid CLSID;
  std::string GraphName;    // as read from the graph, double quotes included
  std::string Number;       // the graph entry's four-character number
  std::string DisplayName;  // moniker display name, kernel-streaming devices only
  Guid Category = {};       // the CLSID of the category it was enumerated in
  friend bool operator==(const TfilterItem&, const TfilterItem&) = default;
};

// A filter category, as the system device enumerator lists it.
struct TCategoryItem {
  std::string Name;  // friendly name, UTF-8
  Guid CLSID;
  friend bool operator==(const TCategoryItem&, const TCategoryItem&) = default;
};

struct TDMOItem {
  std::string Name;  // as DMO enumeration gives it, UTF-8
  Guid CLSID;
  friend bool operator==(const TDMOItem&, const TDMOItem&) = default;
};

struct FilterCatalogue {
  // Whether these lists are a machine's catalogue: false where there is no DirectShow and no
  // catalogue file was read, so that nothing is said missing for want of a catalogue.
  bool Known = false;
  std::vector<TCategoryItem> KnownCategories;  // enumeration order
  // Category by category, in the categories' order; a CLSID may repeat.
  std::vector<TfilterItem> KnownFilters;
  std::vector<TDMOItem> KnownDmos;
  // Every class registered on the machine (a key under HKEY_CLASSES_ROOT\CLSID), sorted by
  // SortClasses: what it can create, whether a category lists it or not. Empty in a catalogue
  // file of an older export, which did not carry them.
  std::vector<Guid> RegisteredClasses;
  friend bool operator==(const FilterCatalogue&, const FilterCatalogue&) = default;
};

inline constexpr std::size_t kMaxFriendlyNameLength = 255;

// Enumerates the machine's filters and DMOs (empty lists where there is no DirectShow).
// Callers initialise COM on their thread first (CoInitializeEx); for one that forgot, the
// build initialises it itself and undoes that before returning. Throws nothing: an entry that
// can't be read is kept with an empty name or display name, a category or DMO enumeration
// that can't be had adds nothing.
FilterCatalogue BuildCatalogue();
// Whether the catalogue's machine can create the class: registered there, or listed in a
// category (all a catalogue file of an older export tells).
bool ClassRegistered(const FilterCatalogue& catalogue, const Guid& clsid);
// Sorts the classes in the order ClassRegistered looks them up in, each once.
void SortClasses(std::vector<Guid>& classes);

// Frees every record; the catalogue is empty afterwards.
void ReleaseCatalogue(FilterCatalogue& catalogue);

}  // namespace mivalto

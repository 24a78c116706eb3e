// A filter catalogue read back from the JSON that --catalogue --format json writes on any
// machine (docs/catalogue.schema.json), so that graphs are explained with the filters of the
// machine they came from. Only the catalogue's own members are built; every fault names its
// place as a JSON pointer, as for a JSON report.
#pragma once

#include "catalogue/catalogue.h"
#include "scan/byte_source.h"

namespace mivalto {

// Whether the document is a catalogue (an object with a `categories` member) rather than a
// report; false for what is no JSON at all. Builds nothing but that member's outline.
bool IsCatalogueJson(ByteSource& source);

// The catalogue, Known. Throws JsonInputError: not JSON, cut short, not a catalogue, a member
// missing or of the wrong type, a malformed GUID.
FilterCatalogue ReadCatalogueJson(ByteSource& source);

}  // namespace mivalto

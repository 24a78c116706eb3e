// --catalogue's writers: a filter catalogue as text, ANSI or HTML (its lines, through the
// report's own writers and the page's style) or as JSON (docs/catalogue.schema.json, which
// --catalogue-file reads back).
#pragma once

#include <ostream>

#include "catalogue/catalogue.h"

namespace mivalto {

using CatalogueWriter = void (*)(const FilterCatalogue& catalogue, std::ostream& out);

void WriteCatalogueText(const FilterCatalogue& catalogue, std::ostream& out);
void WriteCatalogueAnsi(const FilterCatalogue& catalogue, std::ostream& out);
void WriteCatalogueHtml(const FilterCatalogue& catalogue, std::ostream& out);
void WriteCatalogueJson(const FilterCatalogue& catalogue, std::ostream& out);

}  // namespace mivalto

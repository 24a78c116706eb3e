#include "report/catalogue/catalogue_writer.h"

#include <span>
#include <string>

#include "analysis/catalogue_lines.h"
#include "base/program_texts.h"
#include "report/formats/ansi_writer.h"
#include "report/formats/html_writer.h"
#include "report/formats/text_writer.h"

namespace mivalto {
namespace {

// The catalogue's lines as one complete report, titled as the catalogue, without a graph.
template <ReportWriter write>
void WriteCatalogueLines(const FilterCatalogue& catalogue, std::ostream& out) {
  ReportView view;
  DescribeCatalogue(catalogue, view);
  const ReportDocument document{std::string(texts::kCatalogueTitle), true, &view};
  write(std::span(&document, 1), out);
}

}  // namespace

void WriteCatalogueText(const FilterCatalogue& catalogue, std::ostream& out) {
  WriteCatalogueLines<WriteText>(catalogue, out);
}

void WriteCatalogueAnsi(const FilterCatalogue& catalogue, std::ostream& out) {
  WriteCatalogueLines<WriteAnsi>(catalogue, out);
}

void WriteCatalogueHtml(const FilterCatalogue& catalogue, std::ostream& out) {
  WriteCatalogueLines<WriteHtml>(catalogue, out);
}

}  // namespace mivalto

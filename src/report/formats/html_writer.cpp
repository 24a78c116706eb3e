#include "report/formats/html_writer.h"

#include <algorithm>
#include <string_view>

#include "base/file_path.h"
#include "base/program_texts.h"
#include "model/filter_kind.h"
#include "report/check/check_writer.h"
#include "report/picture/graph_svg.h"

namespace mivalto {
namespace {

// The page's look, inline so that the page needs nothing beside it.
constexpr std::string_view kStyle = R"(<style>
body { margin: 0; background: #F2F2EC; color: #000000;
  font-family: "DejaVu Sans", "Segoe UI", Arial, sans-serif; }
header { background: #808000; color: #FFFFFF; padding: 12px 24px;
  display: flex; flex-wrap: wrap; align-items: center; gap: 8px 32px; }
header h1 { margin: 0; font-size: 22px; }
header p { margin: 0; font-size: 14px; }
header a { color: #FFFFFF; }
.legend { list-style: none; margin: 0; padding: 0; display: flex; flex-wrap: wrap;
  gap: 6px 18px; font-size: 14px; }
.swatch { display: inline-block; width: 14px; height: 14px; margin-right: 6px;
  vertical-align: -2px; border: 1px solid #FFFFFF; }
main { padding: 16px 24px; }
section { background: #FFFFFF; border: 1px solid #D6D6C8; border-radius: 6px;
  margin: 0 0 20px; padding: 12px 16px; }
h2 { margin: 0 0 10px; font-size: 17px; color: #808000; }
figure { margin: 0 0 12px; overflow-x: auto; }
figure svg { max-width: 100%; height: auto; }
pre { margin: 0; overflow-x: auto; font-size: 13px; line-height: 1.35;
  font-family: "DejaVu Sans Mono", Consolas, "Courier New", monospace; }
</style>
)";

struct HtmlEntity {
  char character;
  std::string_view entity;
};
constexpr HtmlEntity kHtmlEntities[] = {
    {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&#39;"},
};

void AppendHtmlChar(char c, std::string& out) {
  for (const HtmlEntity& entry : kHtmlEntities) {
    if (entry.character == c) {
      out += entry.entity;
      return;
    }
  }
  out += c;
}

std::string WebSiteLink() {
  return "<a href=\"" + std::string(texts::kWebSite) + "\">" + std::string(texts::kWebSite) + "</a>";
}

void AppendHtmlText(std::string_view utf8, std::string& out) {
  for (const char c : PrintableText(utf8)) AppendHtmlChar(c, out);
}

// The line as a <span>; the header's web-site line with its address a link.
void AppendHtmlLine(const ReportLine& line, std::string& out) {
  out += "<span style=\"color:" + ColorHex(line.color) + (line.bold ? ";font-weight:bold" : "") +
         "\">";
  std::string_view text = line.text;
  const bool linked = line.web_site && text.ends_with(texts::kWebSite);
  if (linked) text.remove_suffix(texts::kWebSite.size());
  AppendHtmlText(text, out);
  if (linked) out += WebSiteLink();
  out += "</span>\n";
}

void WriteHeader(std::ostream& out) {
  out << "<header>\n<h1>" << texts::kProductName << "</h1>\n<p>"
      << HtmlText(texts::kProductVersionName) << " · " << WebSiteLink()
      << "</p>\n<ul class=\"legend\">\n";
  for (const FilterKindRow& kind : kFilterKinds) {
    if (kind.legend.empty()) continue;
    out << "<li><span class=\"swatch\" style=\"background:" << ColorHex(kind.color) << "\"></span>"
        << HtmlText(kind.legend) << "</li>\n";
  }
  out << "</ul>\n</header>\n";
}

void WriteSection(const ReportDocument& document, std::ostream& out) {
  out << "<section>\n<h2>" << HtmlText(PictureTitle(document)) << "</h2>\n";
  if (!document.catalogue.empty()) {
    out << "<p>" << HtmlText(std::string(texts::kNamedByCatalogue) + document.catalogue)
        << "</p>\n";
  }
  WriteHtmlPictureAndFindings(document, out);
  out << "<pre>\n";
  WriteHtmlLines(document.view->Lines(), out);
  out << "</pre>\n</section>\n";
}

}  // namespace

std::string HtmlText(std::string_view utf8) {
  std::string html;
  html.reserve(utf8.size());
  AppendHtmlText(utf8, html);
  return html;
}

void WriteHtmlLines(std::span<const ReportLine> lines, std::ostream& out) {
  BufferedOutput output(out);
  for (const ReportLine& line : lines) AppendHtmlLine(line, output.Bytes());
}

// The SVG element without the XML prologue.
std::optional<std::string> InlineSvg(const TitledGraph& graph) {
  if (graph.graph->filters.empty()) return std::nullopt;
  std::optional<std::string> svg = GraphsSvg(std::span(&graph, 1));
  if (!svg) return std::nullopt;
  const std::size_t element = svg->find("<svg");
  if (element == std::string::npos) return std::nullopt;
  svg->erase(0, element);
  return svg;
}

void WriteHtmlFigure(const std::optional<std::string>& svg, std::ostream& out) {
  if (svg) out << "<figure>\n" << *svg << "</figure>\n";
}

void WriteHtmlPageStart(std::string_view title, std::string_view extra_style, std::ostream& out) {
  out << "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      << "<title>" << HtmlText(title) << "</title>\n"
      << kStyle << extra_style << "</head>\n<body>\n";
  WriteHeader(out);
  out << "<main>\n";
}

void WriteHtmlPageEnd(std::ostream& out) { out << "</main>\n</body>\n</html>\n"; }

void WriteHtml(std::span<const ReportDocument> documents, std::ostream& out) {
  std::string title;
  for (const ReportDocument& document : documents) {
    if (!title.empty()) title += ", ";
    title += FileNameOf(document.file);
  }
  const bool findings = std::any_of(documents.begin(), documents.end(), [](const auto& document) {
    return document.findings != nullptr && !document.findings->empty();
  });
  WriteHtmlPageStart(title, findings ? kFindingsStyle : std::string_view(), out);
  for (const ReportDocument& document : documents) WriteSection(document, out);
  WriteHtmlPageEnd(out);
}

}  // namespace mivalto

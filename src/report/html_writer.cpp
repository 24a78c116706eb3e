#include "report/html_writer.h"

#include <string_view>

#include "base/file_path.h"

namespace mivalto {
namespace {

struct HtmlEntity {
  char character;
  std::string_view entity;
};
constexpr HtmlEntity kHtmlEntities[] = {
    {'&', "&amp;"},
    {'<', "&lt;"},
    {'>', "&gt;"},
    {'"', "&quot;"},
    {'\'', "&#39;"},
};

void WriteHtmlChar(char c, std::ostream& out) {
  for (const HtmlEntity& entry : kHtmlEntities) {
    if (entry.character == c) {
      out << entry.entity;
      return;
    }
  }
  out << c;
}

void WriteHtmlText(std::string_view utf8, std::ostream& out) {
  for (const char c : PrintableText(utf8)) WriteHtmlChar(c, out);
}

void WriteTitle(std::span<const ReportDocument> documents, std::ostream& out) {
  out << "<title>";
  for (std::size_t i = 0; i < documents.size(); ++i) {
    if (i > 0) out << ", ";
    WriteHtmlText(FileNameOf(documents[i].file), out);
  }
  out << "</title>\n";
}

void WriteHtmlLine(const ReportLine& line, std::ostream& out) {
  out << "<span style=\"color:" << ColorHex(line.color) << (line.bold ? ";font-weight:bold" : "")
      << "\">";
  WriteHtmlText(line.text, out);
  out << "</span>\n";
}

void WriteSection(const ReportDocument& document, std::ostream& out) {
  out << "<section>\n<pre>\n";
  for (const ReportLine& line : document.view->Lines()) WriteHtmlLine(line, out);
  out << "</pre>\n</section>\n";
}

}  // namespace

void WriteHtml(std::span<const ReportDocument> documents, std::ostream& out) {
  out << "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n";
  WriteTitle(documents, out);
  out << "</head>\n<body>\n";
  for (const ReportDocument& document : documents) WriteSection(document, out);
  out << "</body>\n</html>\n";
}

}  // namespace mivalto

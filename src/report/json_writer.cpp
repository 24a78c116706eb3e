#include "report/json_writer.h"

#include <nlohmann/json.hpp>

namespace mivalto {
namespace {

// Keys in the order a reader expects them, not sorted.
using Json = nlohmann::ordered_json;

Json LineJson(const ReportLine& line) {
  return {{"text", line.text}, {"color", ColorHex(line.color)}, {"bold", line.bold}};
}

Json DocumentJson(const ReportDocument& document) {
  Json lines = Json::array();
  for (const ReportLine& line : document.view->Lines()) lines.push_back(LineJson(line));
  return {{"file", document.file}, {"complete", document.complete}, {"lines", std::move(lines)}};
}

// One report is an object; any other count an array.
Json DocumentsJson(std::span<const ReportDocument> documents) {
  if (documents.size() == 1) return DocumentJson(documents.front());
  Json all = Json::array();
  for (const ReportDocument& document : documents) all.push_back(DocumentJson(document));
  return all;
}

}  // namespace

void WriteJson(std::span<const ReportDocument> documents, std::ostream& out) {
  out << DocumentsJson(documents).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace mivalto

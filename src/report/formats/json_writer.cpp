#include "report/formats/json_writer.h"

#include "analysis/graph_members.h"
#include "report/check/check_writer.h"
#include "report/formats/json_stream.h"

namespace mivalto {
namespace {

void WriteLine(TreeWriter& json, const ReportLine& line) {
  json.BeginObject();
  json.Key("text");
  json.String(line.text);
  json.Key("color");
  json.String(ColorHex(line.color));
  json.Key("bold");
  json.Bool(line.bold);
  json.EndObject();
}

// Keys in the order a reader expects them, not sorted.
void WriteDocument(TreeWriter& json, const ReportDocument& document) {
  json.BeginObject();
  WriteDocumentOutcome(json, document);
  if (!document.catalogue.empty()) {
    json.Key("catalogue");
    json.String(document.catalogue);
  }
  if (document.graph != nullptr) {
    json.Key("graph");
    WriteGraphTree(json, *document.graph);
  }
  if (document.findings != nullptr) {
    json.Key("findings");
    WriteFindingsJson(json, document);
  }
  json.Key("lines");
  json.BeginArray();
  for (const ReportLine& line : document.view->Lines()) WriteLine(json, line);
  json.EndArray();
  json.EndObject();
}

}  // namespace

void WriteDocumentOutcome(TreeWriter& json, const ReportDocument& document) {
  json.Key("file");
  json.String(document.file);
  json.Key("complete");
  json.Bool(document.complete);
  if (!document.complete) {
    json.Key("stop_reason");
    json.String(document.stop_reason);
  }
}

// One report is an object; any other count an array.
void WriteJsonPerDocument(std::span<const ReportDocument> documents, std::ostream& out,
                          void (*write)(TreeWriter&, const ReportDocument&)) {
  {
    JsonStream json(out);
    if (documents.size() == 1) {
      write(json, documents.front());
    } else {
      json.BeginArray();
      for (const ReportDocument& document : documents) write(json, document);
      json.EndArray();
    }
  }
  out << '\n';
}

void WriteJson(std::span<const ReportDocument> documents, std::ostream& out) {
  WriteJsonPerDocument(documents, out, WriteDocument);
}

}  // namespace mivalto

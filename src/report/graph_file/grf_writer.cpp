#include "report/graph_file/grf_writer.h"

#include <algorithm>
#include <memory>

#include "base/guid.h"
#include "base/program_texts.h"
#include "report/graph_file/graph_stream.h"
#include "report/graph_file/compound_file.h"

namespace mivalto {
namespace {

bool HasQuote(std::string_view text) { return text.find('"') != std::string_view::npos; }

bool StorableFilter(const FilterModel& filter) {
  return !HasQuote(filter.name) && !(filter.file && HasQuote(filter.file->path));
}

bool StorableConnection(const ConnectionModel& connection) {
  return !HasQuote(connection.from->pin) && !HasQuote(connection.to->pin);
}

bool Storable(const GraphModel& graph) {
  return std::all_of(graph.filters.begin(), graph.filters.end(), StorableFilter) &&
         std::all_of(graph.connections.begin(), graph.connections.end(), StorableConnection);
}

const ReportDocument* WrittenDocument(std::span<const ReportDocument> documents) {
  if (documents.empty() || !documents.front().complete || !documents.front().graph) return nullptr;
  return &documents.front();
}

}  // namespace

PreparedOutput PrepareGrf(std::span<const ReportDocument> documents) {
  const ReportDocument* document = WrittenDocument(documents);
  if (!document) return {.write = [](std::ostream&) {}};
  if (!Storable(*document->graph)) return {.refusal = FormatRefusal{std::string(texts::kUnstorableText)}};
  auto stream = std::make_shared<const std::vector<std::uint8_t>>(GraphStream(*document->graph));
  if (stream->size() > kMaxCompoundStream) {
    return {.refusal = FormatRefusal{std::string(texts::kGraphFileTooLarge)}};
  }
  return {.write = [stream](std::ostream& out) {
    const std::vector<std::uint8_t> file = CompoundFile(*stream);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  }};
}

void WriteGrf(std::span<const ReportDocument> documents, std::ostream& out) {
  const PreparedOutput graph_file = PrepareGrf(documents);
  if (graph_file.write) graph_file.write(out);
}

}  // namespace mivalto

#include "analysis/graph_from_json.h"

#include <string>
#include <string_view>

#include "analysis/format_field_edits.h"
#include "analysis/graph_members.h"
#include "base/guid.h"
#include "base/program_texts.h"
#include "base/text_encoding.h"

namespace mivalto {
namespace {

using At = JsonAt;

constexpr std::string_view kVersions[] = {"0002", "0003"};
constexpr std::string_view kFileKeywords[] = {"SOURCE", "SINK"};
constexpr std::size_t kIdLength = 4;  // characters
constexpr std::string_view kNoClockId = "0000";
constexpr std::string_view kUnknownClockKind = kClockKindNames[static_cast<int>(ClockKind::kUnknown)];

template <std::size_t N>
const std::string& OneOf(const At& at, const std::string_view (&allowed)[N],
                         std::string_view problem) {
  const std::string& text = at.String();
  for (const std::string_view value : allowed) {
    if (text == value) return text;
  }
  at.Fail(problem);
}

GraphReadContext& Graph(ReadContext& context) { return static_cast<GraphReadContext&>(context); }

template <typename Entry>
Entry& As(void* entry) {
  return *static_cast<Entry*>(entry);
}

// Bytes that may be left out, and their count.
template <typename Count>
void ReadBytes(const std::optional<At>& at, std::vector<std::uint8_t>& bytes,
               std::optional<Count>& count) {
  if (at) bytes = at->Hex();
  count = static_cast<Count>(bytes.size());
}

// A filter id that names no filter, where the report says the clock was a filter's (its
// `kind`, when it gives one, is not "unknown"): the filter has been taken out, as a connection's
// may be, and the clock can't stay its.
bool NamesRemovedFilter(const At& clock, const std::string& reference,
                        const GraphReadContext& context) {
  if (CodePointCount(reference) != kIdLength || reference == kNoClockId) return false;
  if (context.ids.contains(reference)) return false;
  const std::optional<At> kind = clock.Optional(graph_keys::kKind);
  return !kind || !kind->value.is_string() ||
         kind->value.get_ref<const std::string&>() != kUnknownClockKind;
}

}  // namespace

void ReadVersion(const At& object, const MemberRow& row, void* graph, ReadContext&) {
  As<GraphModel>(graph).version = OneOf(object[row.key], kVersions, texts::kJsonBadVersion);
}

// A version 2 graph has no clock line; a version 3 graph must say what its clock is.
void ReadClock(const At& object, const MemberRow& row, void* graph, ReadContext& context) {
  if (*As<GraphModel>(graph).version == kVersions[0]) return;
  ReadObject<&GraphModel::clock>(object, row, graph, context);
}

// A filter id as a graph text holds it: its entry's line starts with a digit, and connections
// name it by its four units.
void ReadFilterId(const At& object, const MemberRow& row, void* filter, ReadContext&) {
  const At id = object[row.key];
  std::string& text = As<FilterModel>(filter).id = id.StoredText();
  const bool four_units =
      CodePointCount(text) == kIdLength && Utf16FromUtf8(text).size() == kIdLength;
  if (!four_units || text[0] < '0' || text[0] > '9') id.Fail(texts::kJsonBadFilterId);
}

void ReadFilterData(const At& object, const MemberRow& row, void* filter, ReadContext&) {
  FilterModel& model = As<FilterModel>(filter);
  ReadBytes(object.Optional(row.key), model.data, model.data_size);
}

void ReadFileKeyword(const At& object, const MemberRow& row, void* file, ReadContext&) {
  As<FileClause>(file).keyword = OneOf(object[row.key], kFileKeywords, texts::kJsonBadFileKeyword);
}

// A second filter with an id already seen is a fault.
void ReadFilterPlace(const At& object, void* filter, ReadContext& context) {
  GraphReadContext& graph = Graph(context);
  FilterModel& model = As<FilterModel>(filter);
  model.position = static_cast<int>(graph.graph->filters.size());
  if (!graph.ids.emplace(model.id, model.position).second) {
    object[graph_keys::kId].Fail(texts::kJsonDuplicateFilterId);
  }
}

void ReadPinTarget(const At& object, void* end, ReadContext& context) {
  const GraphReadContext& graph = Graph(context);
  const std::deque<FilterModel>& filters = graph.graph->filters;
  PinEnd& model = As<PinEnd>(end);
  if (const std::optional<At> id = object.Optional(graph_keys::kId)) {
    const auto found = graph.ids.find(id->String());
    if (found == graph.ids.end()) id->Fail(texts::kJsonNoSuchFilter);
    model.position = found->second;
  } else {
    const At position = object[graph_keys::kPosition];
    model.position = static_cast<int>(position.Unsigned(filters.size()));
    if (model.position == 0) position.Fail(texts::kJsonNoSuchFilter);
  }
  model.id = filters[static_cast<std::size_t>(model.position - 1)].id;
}

void ReadFormatGuid(const At& object, const MemberRow& row, void* format, ReadContext&) {
  As<FormatModel>(format).type = {object[row.key].GuidValue(), {}};
}

void ReadFormatBytes(const At& object, const MemberRow& row, void* format, ReadContext&) {
  FormatModel& model = As<FormatModel>(format);
  ReadBytes(object.Optional(row.key), model.bytes, model.size);
}

void ReadEditedNumbers(const At& object, const MemberRow&, void* format, ReadContext& context) {
  WriteEditedNumbers(object, As<FormatModel>(format), Graph(context).numbers_written);
}

// A filter's id, "0000" for none, or a clock's CLSID: the walk tells which.
void ReadClockReference(const At& object, const MemberRow& row, void* clock,
                        ReadContext& context) {
  const At reference = object[row.key];
  const std::string& text = *(As<ClockModel>(clock).reference = reference.String());
  // The clock line ends at the first CR.
  const bool four = CodePointCount(text) == kIdLength && text.find('\r') == std::string::npos;
  if (!four && !ParseGuid(text)) {
    reference.Fail(texts::kJsonBadClockReference);
  }
  if (NamesRemovedFilter(object, text, Graph(context))) reference.Fail(texts::kJsonClockOfNoFilter);
}

GraphModel GraphFromJson(const ReportGraph& report, std::vector<std::string>* numbers_written) {
  GraphModel model;
  GraphReadContext context;
  context.graph = &model;
  ReadMembers(At{report.value, report.pointer}, &model, GraphMembers(), context);
  if (numbers_written) *numbers_written = std::move(context.numbers_written);
  return model;
}

}  // namespace mivalto

#include "analysis/graph_from_json.h"

#include <limits>
#include <map>
#include <string>
#include <string_view>

#include "analysis/format_field_edits.h"
#include "analysis/json_input.h"
#include "base/guid.h"
#include "base/program_texts.h"
#include "base/text_encoding.h"

namespace mivalto {
namespace {

using Json = nlohmann::json;

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

// A filter id as a graph text holds it: its entry's line starts with a digit, and connections
// name it by its four units.
bool IsFilterId(const std::string& id) {
  return CodePointCount(id) == kIdLength && Utf16FromUtf8(id).size() == kIdLength &&
         id[0] >= '0' && id[0] <= '9';
}

FilterModel ReadFilter(const At& at, int position) {
  at.Object();
  FilterModel filter;
  filter.position = position;
  filter.id = at["id"].StoredText();
  if (!IsFilterId(filter.id)) at["id"].Fail(texts::kJsonBadFilterId);
  filter.name = at["name"].StoredText();
  filter.clsid = at["clsid"].GuidValue();
  if (const std::optional<At> file = at.Optional("file")) {
    file->Object();
    filter.file = FileClause{OneOf((*file)["keyword"], kFileKeywords, texts::kJsonBadFileKeyword),
                             (*file)["path"].StoredText()};
  }
  if (const std::optional<At> data = at.Optional("data")) filter.data = data->Hex();
  filter.data_size = static_cast<std::uint32_t>(filter.data.size());
  return filter;
}

// Filters by id, for the connection ends; a second filter with an id already seen is a fault.
using FilterIds = std::map<std::string, int, std::less<>>;

PinEnd ReadPinEnd(const At& at, const std::deque<FilterModel>& filters, const FilterIds& ids) {
  at.Object();
  PinEnd end;
  end.pin = at["pin"].StoredText();
  if (const std::optional<At> id = at.Optional("id")) {
    const auto found = ids.find(id->String());
    if (found == ids.end()) id->Fail(texts::kJsonNoSuchFilter);
    end.position = found->second;
  } else {
    const At position = at["position"];
    end.position = static_cast<int>(position.Unsigned(filters.size()));
    if (end.position == 0) position.Fail(texts::kJsonNoSuchFilter);
  }
  end.id = filters[static_cast<std::size_t>(end.position - 1)].id;
  return end;
}

NamedGuid ReadNamedGuid(const At& at) { return {at.Object()["guid"].GuidValue(), {}}; }

MediaTypeModel ReadMediaType(const At& at, std::vector<std::string>& numbers_written) {
  at.Object();
  MediaTypeModel media;
  media.major_type = ReadNamedGuid(at["major_type"]);
  media.subtype = ReadNamedGuid(at["subtype"]);
  media.fixed_size_samples = at["fixed_size_samples"].Bool();
  media.temporal_compression = at["temporal_compression"].Bool();
  media.sample_size =
      static_cast<std::uint32_t>(at["sample_size"].Unsigned(std::numeric_limits<std::uint32_t>::max()));
  const At format = at["format"];
  FormatModel& model = media.format.emplace();
  model.type = ReadNamedGuid(format);
  if (const std::optional<At> bytes = format.Optional("bytes")) model.bytes = bytes->Hex();
  model.size = static_cast<std::int32_t>(model.bytes.size());
  WriteEditedNumbers(format, model, numbers_written);
  return media;
}

ConnectionModel ReadConnection(const At& at, const std::deque<FilterModel>& filters,
                               const FilterIds& ids, std::vector<std::string>& numbers_written) {
  at.Object();
  ConnectionModel connection;
  connection.from = ReadPinEnd(at["from"], filters, ids);
  connection.to = ReadPinEnd(at["to"], filters, ids);
  connection.media_type = ReadMediaType(at["media_type"], numbers_written);
  return connection;
}

// A filter id that names no filter, where the report says the clock was a filter's (its
// `kind`, when it gives one, is not "unknown"): the filter has been taken out, as a connection's
// may be, and the clock can't stay its.
bool NamesRemovedFilter(const At& clock, const std::string& reference, const FilterIds& ids) {
  if (CodePointCount(reference) != kIdLength || reference == kNoClockId) return false;
  if (ids.contains(reference)) return false;
  const std::optional<At> kind = clock.Optional("kind");
  return !kind || !kind->value.is_string() ||
         kind->value.get_ref<const std::string&>() != kUnknownClockKind;
}

ClockModel ReadClock(const At& at, const FilterIds& ids) {
  at.Object();
  ClockModel clock;
  clock.required = at["required"].Bool();
  // A filter's id, "0000" for none, or a clock's CLSID: the walk tells which.
  const At reference = at["reference"];
  clock.reference = reference.String();
  // The clock line ends at the first CR.
  const bool four = CodePointCount(*clock.reference) == kIdLength &&
                    clock.reference->find('\r') == std::string::npos;
  if (!four && !ParseGuid(*clock.reference)) {
    reference.Fail(texts::kJsonBadClockReference);
  }
  if (NamesRemovedFilter(at, *clock.reference, ids)) reference.Fail(texts::kJsonClockOfNoFilter);
  return clock;
}

}  // namespace

GraphModel GraphFromJson(const ReportGraph& report, std::vector<std::string>* numbers_written) {
  std::vector<std::string> written;
  const At graph{report.value, report.pointer};
  graph.Object();
  GraphModel model;
  model.version = OneOf(graph["version"], kVersions, texts::kJsonBadVersion);

  const At filters = graph["filters"];
  FilterIds ids;
  for (std::size_t i = 0; i < filters.Array().size(); ++i) {
    const At filter = filters.Element(i);
    model.filters.push_back(ReadFilter(filter, static_cast<int>(i + 1)));
    if (!ids.emplace(model.filters.back().id, static_cast<int>(i + 1)).second) {
      filter["id"].Fail(texts::kJsonDuplicateFilterId);
    }
  }
  const At connections = graph["connections"];
  for (std::size_t i = 0; i < connections.Array().size(); ++i) {
    model.connections.push_back(
        ReadConnection(connections.Element(i), model.filters, ids, written));
  }
  // A version 2 graph has no clock line; a version 3 graph must say what its clock is.
  if (*model.version != kVersions[0]) model.clock = ReadClock(graph["clock"], ids);
  if (numbers_written) *numbers_written = std::move(written);
  return model;
}

}  // namespace mivalto

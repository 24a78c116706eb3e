#include "report/formats/graph_json.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace mivalto {
namespace {

void WriteGuid(JsonStream& json, const Guid& guid) { json.String(GuidText(guid)); }

// Bytes as stored: two lowercase hexadecimal digits each.
void WriteHex(JsonStream& json, std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0xF];
  }
  json.String(hex);
}

void WriteNamedGuid(JsonStream& json, const NamedGuid& named) {
  json.BeginObject();
  json.Key("guid");
  WriteGuid(json, named.guid);
  json.Key("name");
  json.String(named.name);
  json.EndObject();
}

// Members the walk did not reach are left out.
template <typename Value, typename Write>
void OptionalMember(JsonStream& json, std::string_view key, const std::optional<Value>& value,
                    Write write) {
  if (!value) return;
  json.Key(key);
  write(*value);
}

// Members the walk reached that hold nothing are null.
void StringOrNull(JsonStream& json, std::string_view key, const std::optional<std::string>& text) {
  json.Key(key);
  if (text) {
    json.String(*text);
  } else {
    json.Null();
  }
}

// The members that apply to the filter's kind.
void WriteWraps(JsonStream& json, const WrappedFacts& wraps) {
  const auto guid = [&](const Guid& g) { WriteGuid(json, g); };
  const auto text = [&](const std::string& t) { json.String(t); };
  json.BeginObject();
  OptionalMember(json, "dmo_clsid", wraps.dmo_clsid, guid);
  OptionalMember(json, "dmo_category", wraps.dmo_category, guid);
  OptionalMember(json, "display_name", wraps.device, text);
  OptionalMember(json, "wave_format_tag", wraps.wave_format_tag,
                 [&](std::uint16_t tag) { json.Number(tag); });
  OptionalMember(json, "fourcc", wraps.fourcc, text);
  json.EndObject();
}

void WriteFilter(JsonStream& json, const FilterModel& filter) {
  json.BeginObject();
  json.Key("position");
  json.Number(filter.position);
  json.Key("id");
  json.String(filter.id);
  json.Key("name");
  json.String(filter.name);
  OptionalMember(json, "clsid", filter.clsid, [&](const Guid& g) { WriteGuid(json, g); });
  json.Key("kind");
  json.String(KindRow(filter.kind).json_name);
  StringOrNull(json, "registered_name", filter.registered_name);
  StringOrNull(json, "description", filter.description);
  json.Key("wraps");
  WriteWraps(json, filter.wraps);
  json.Key("registered");
  if (filter.registered) {
    json.Bool(*filter.registered);
  } else {
    json.Null();
  }
  json.Key("file");
  if (filter.file) {
    json.BeginObject();
    json.Key("keyword");
    json.String(filter.file->keyword);
    json.Key("path");
    json.String(filter.file->path);
    json.EndObject();
  } else {
    json.Null();
  }
  OptionalMember(json, "data_size", filter.data_size, [&](std::uint32_t n) { json.Number(n); });
  json.Key("data");
  WriteHex(json, filter.data);
  json.EndObject();
}

void WritePinEnd(JsonStream& json, const PinEnd& end) {
  json.BeginObject();
  json.Key("id");
  json.String(end.id);
  json.Key("position");
  json.Number(end.position);
  json.Key("pin");
  json.String(end.pin);
  json.EndObject();
}

void WriteFormat(JsonStream& json, const FormatModel& format) {
  json.BeginObject();
  json.Key("guid");
  WriteGuid(json, format.type.guid);
  json.Key("name");
  json.String(format.type.name);
  OptionalMember(json, "size", format.size, [&](std::int32_t n) { json.Number(n); });
  json.Key("bytes");
  WriteHex(json, format.bytes);
  json.Key("fields");
  json.BeginArray();
  for (const FormatField& field : format.fields) {
    json.BeginObject();
    json.Key("name");
    json.String(field.name);
    json.Key("value");
    json.String(field.value);
    OptionalMember(json, "number", field.number, [&](std::int64_t n) { json.Number(n); });
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

void WriteMediaType(JsonStream& json, const MediaTypeModel& media) {
  const auto named = [&](const NamedGuid& n) { WriteNamedGuid(json, n); };
  const auto boolean = [&](bool b) { json.Bool(b); };
  json.BeginObject();
  OptionalMember(json, "major_type", media.major_type, named);
  OptionalMember(json, "subtype", media.subtype, named);
  OptionalMember(json, "fixed_size_samples", media.fixed_size_samples, boolean);
  OptionalMember(json, "temporal_compression", media.temporal_compression, boolean);
  OptionalMember(json, "sample_size", media.sample_size, [&](std::uint32_t n) { json.Number(n); });
  OptionalMember(json, "format", media.format, [&](const FormatModel& f) { WriteFormat(json, f); });
  json.EndObject();
}

void WriteConnection(JsonStream& json, const ConnectionModel& connection) {
  const auto end = [&](const PinEnd& e) { WritePinEnd(json, e); };
  json.BeginObject();
  OptionalMember(json, "from", connection.from, end);
  OptionalMember(json, "to", connection.to, end);
  OptionalMember(json, "media_type", connection.media_type,
                 [&](const MediaTypeModel& m) { WriteMediaType(json, m); });
  json.EndObject();
}

void WriteClock(JsonStream& json, const ClockModel& clock) {
  json.BeginObject();
  OptionalMember(json, "required", clock.required, [&](bool b) { json.Bool(b); });
  OptionalMember(json, "reference", clock.reference, [&](const std::string& r) { json.String(r); });
  OptionalMember(json, "kind", clock.kind,
                 [&](ClockKind k) { json.String(kClockKindNames[static_cast<int>(k)]); });
  if (clock.kind) {
    json.Key("position");
    if (clock.position) {
      json.Number(*clock.position);
    } else {
      json.Null();
    }
  }
  json.EndObject();
}

}  // namespace

void WriteGraphJson(JsonStream& json, const GraphModel& graph) {
  json.BeginObject();
  OptionalMember(json, "version", graph.version, [&](const std::string& v) { json.String(v); });
  json.Key("filters");
  json.BeginArray();
  for (const FilterModel& filter : graph.filters) WriteFilter(json, filter);
  json.EndArray();
  json.Key("connections");
  json.BeginArray();
  for (const ConnectionModel& connection : graph.connections) WriteConnection(json, connection);
  json.EndArray();
  OptionalMember(json, "clock", graph.clock, [&](const ClockModel& c) { WriteClock(json, c); });
  json.EndObject();
}

}  // namespace mivalto

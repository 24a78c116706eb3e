// The graph model: the facts of one graph as the walk read them (version, filters in file
// order, connections with their media types, the clock), kept beside the report so that the
// structured writers (JSON, pictures, generated code, the graph file) never parse report text.
// It keeps every text, count, flag and byte the stream stores, typed, so that the .grf writer
// gives the stream back; only the way a writer laid them out (its dialect) is not kept. The walk
// fills it in the order it reads; a walk that ends early leaves what it read before the failure,
// and the members it did not reach stay empty (std::nullopt), as the report keeps its first lines.
//
// Stored and derived: a reader (the scanner of a graph file, the JSON report reader, the
// running-graph reader) fills only what an input stores; the walk derives the rest from it,
// never trusting an input's. Stored: the version; a filter's position, id, name, clsid, file,
// data and data_size; a connection's ends (position, pin, id); a media type's GUIDs, sample
// flags and sample_size; a format's type GUID, size and bytes; the clock's required and
// reference. Derived: every NamedGuid's name; a filter's kind, registered_name, description,
// wraps and registered; a format's fields; the clock's kind and position. (A JSON report's
// member tables say the same per key.)
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/guid.h"
#include "mediatype/field_role.h"
#include "model/filter_kind.h"

namespace mivalto {

// The optional "SOURCE"/"SINK" clause of a filter entry, both texts as read (the path without
// its double quotes).
struct FileClause {
  std::string keyword;
  std::string path;
  friend bool operator==(const FileClause&, const FileClause&) = default;
};

// What a wrapper filter's data block says it wraps, as the report line tells it in words; each
// member is set only for the kinds whose block holds it, and only when the block does.
struct WrappedFacts {
  std::optional<Guid> dmo_clsid;         // the DMO wrapper's DMO...
  std::optional<Guid> dmo_category;      // ...and its category
  std::optional<std::string> device;     // the device proxy's stored display name
  std::optional<std::uint16_t> wave_format_tag;  // the ACM wrapper's wave format
  std::optional<std::string> fourcc;     // the AVI compressor's codec
  friend bool operator==(const WrappedFacts&, const WrappedFacts&) = default;
};

struct FilterModel {
  int position = 0;  // 1 for the first entry of the filter section: the number connections use
  std::string id;    // the four characters the entry carries, e.g. "0001"
  std::string name;  // without its double quotes
  std::optional<Guid> clsid;
  FilterKind kind = FilterKind::kDirectShow;
  // The name the report gives the filter's class: the catalogue's (for a device proxy, the
  // matched device's), or for the DirectX 8 renderers the program's own; nullopt for none.
  std::optional<std::string> registered_name;
  // What the report line says after the name and CLSID (the DMO, the device, the wave format or
  // FourCC, the data note), without the separating spaces; nullopt when it says nothing.
  std::optional<std::string> description;
  WrappedFacts wraps;
  // Whether the catalogue lists what the filter needs to load (see the analysis' filter
  // section); nullopt when no catalogue is known.
  std::optional<bool> registered;
  std::optional<FileClause> file;
  std::optional<std::uint32_t> data_size;  // the data block's byte count
  std::vector<std::uint8_t> data;          // the data block's bytes, as the filter saved them
  friend bool operator==(const FilterModel&, const FilterModel&) = default;
};

// One decoded field of a format block: its label and value text as the report line writes
// them ("biWidth = ", "720"), the number it stands for when it is one, and what the picture
// reads it for. The label is one of the decoders' own, which live as long as the program: a
// large graph has many fields.
struct FormatField {
  std::string_view label;
  std::string text;
  std::optional<std::int64_t> number = std::nullopt;
  FieldRole role = FieldRole::kNone;
  // The field in words, without the report's spacing: "biWidth", "isInterlaced Field1First".
  std::string_view Name() const;
  std::string_view Value() const;
  friend bool operator==(const FormatField&, const FormatField&) = default;
};

struct FormatModel {
  NamedGuid type;
  std::optional<std::int32_t> size;  // the block's byte count as stored
  std::vector<std::uint8_t> bytes;   // the block's bytes, when the walk read them whole
  std::vector<FormatField> fields;
  friend bool operator==(const FormatModel&, const FormatModel&) = default;
};

struct MediaTypeModel {
  std::optional<NamedGuid> major_type;
  std::optional<NamedGuid> subtype;
  std::optional<bool> fixed_size_samples;
  std::optional<bool> temporal_compression;
  std::optional<std::uint32_t> sample_size;  // the stored 32-bit value
  std::optional<FormatModel> format;
  friend bool operator==(const MediaTypeModel&, const MediaTypeModel&) = default;
};

// One end of a connection: the four characters the file uses for the filter, the position they
// give in the filter section and the pin's text as stored (without its double quotes).
struct PinEnd {
  int position = 0;
  std::string pin;
  std::string id = {};
  friend bool operator==(const PinEnd&, const PinEnd&) = default;
};

struct ConnectionModel {
  std::optional<PinEnd> from;  // the output pin
  std::optional<PinEnd> to;    // the input pin
  std::optional<MediaTypeModel> media_type;
  friend bool operator==(const ConnectionModel&, const ConnectionModel&) = default;
};

enum class ClockKind { kNone, kFilter, kSystem, kUnknown };
// The JSON report's word for each kind, in the enum's order.
inline constexpr std::string_view kClockKindNames[] = {"none", "filter", "system", "unknown"};

// The class of DirectShow's own clock, which a graph names by CLSID rather than by filter.
inline constexpr Guid kClsidSystemClock = "{E436EBB1-524F-11CE-9F53-0020AF0BA770}"_guid;

struct ClockModel {
  std::optional<bool> required;
  std::optional<std::string> reference;  // as read: four characters or a GUID text
  std::optional<ClockKind> kind;
  std::optional<int> position;  // the filter that gives the clock, for kFilter
  friend bool operator==(const ClockModel&, const ClockModel&) = default;
};

struct GraphModel {
  std::optional<std::string> version;  // "0002", "0003"
  std::deque<FilterModel> filters;  // a deque grows without copying what it holds
  std::deque<ConnectionModel> connections;
  std::optional<ClockModel> clock;
  friend bool operator==(const GraphModel&, const GraphModel&) = default;
};

}  // namespace mivalto

#include "analysis/graph_compare.h"

#include <algorithm>
#include <map>
#include <span>
#include <tuple>
#include <utility>

#include "analysis/clock_words.h"
#include "analysis/media_type_label.h"
#include "base/guid.h"
#include "base/program_texts.h"

namespace mivalto {
namespace {

using Index = std::optional<std::size_t>;
using Words = std::optional<std::string>;

struct FilterPairing {
  std::vector<Index> a_to_b;
  std::vector<Index> b_to_a;
};

// One pass: each unpaired filter of A takes the first unpaired filter of B with the same key
// that `accept` agrees to.
template <typename KeyOf, typename Accept>
void PairFilters(const GraphModel& a, const GraphModel& b, FilterPairing& pairing, KeyOf key_of,
                 Accept accept) {
  std::map<decltype(key_of(b.filters.front())), std::vector<std::size_t>> unpaired;
  for (std::size_t j = 0; j < b.filters.size(); ++j) {
    if (!pairing.b_to_a[j]) unpaired[key_of(b.filters[j])].push_back(j);
  }
  for (std::size_t i = 0; i < a.filters.size(); ++i) {
    if (pairing.a_to_b[i]) continue;
    const auto found = unpaired.find(key_of(a.filters[i]));
    if (found == unpaired.end()) continue;
    for (const std::size_t j : found->second) {
      if (pairing.b_to_a[j] || !accept(a.filters[i], b.filters[j])) continue;
      pairing.a_to_b[i] = j;
      pairing.b_to_a[j] = i;
      break;
    }
  }
}

std::string IdKey(const FilterModel& filter) { return filter.id; }

std::pair<std::string, std::string> NameClsidKey(const FilterModel& filter) {
  return {filter.name, filter.clsid ? GuidText(*filter.clsid) : std::string()};
}

FilterPairing PairAllFilters(const GraphModel& a, const GraphModel& b) {
  FilterPairing pairing{std::vector<Index>(a.filters.size()), std::vector<Index>(b.filters.size())};
  PairFilters(a, b, pairing, IdKey, [](const FilterModel& x, const FilterModel& y) {
    return x.name == y.name || x.clsid == y.clsid;
  });
  PairFilters(a, b, pairing, NameClsidKey,
              [](const FilterModel&, const FilterModel&) { return true; });
  return pairing;
}

// The filter an end names, as an index in the graph's list; none when it names none.
Index FilterIndex(const std::optional<PinEnd>& end, const GraphModel& graph) {
  if (!end || end->position < 1 || static_cast<std::size_t>(end->position) > graph.filters.size()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(end->position - 1);
}

using EndsKey = std::tuple<std::size_t, std::string, std::size_t, std::string>;

// Each connection of A paired with B's that joins the paired filters by the same pins.
std::vector<Index> PairConnections(const GraphModel& a, const GraphModel& b,
                                   const FilterPairing& filters) {
  std::map<EndsKey, std::vector<std::size_t>> by_ends;
  for (std::size_t j = 0; j < b.connections.size(); ++j) {
    const ConnectionModel& connection = b.connections[j];
    const Index from = FilterIndex(connection.from, b), to = FilterIndex(connection.to, b);
    if (from && to) by_ends[{*from, connection.from->pin, *to, connection.to->pin}].push_back(j);
  }
  std::vector<Index> a_to_b(a.connections.size());
  std::vector<bool> taken(b.connections.size());
  for (std::size_t i = 0; i < a.connections.size(); ++i) {
    const ConnectionModel& connection = a.connections[i];
    const Index from = FilterIndex(connection.from, a), to = FilterIndex(connection.to, a);
    if (!from || !to || !filters.a_to_b[*from] || !filters.a_to_b[*to]) continue;
    const auto found = by_ends.find(
        {*filters.a_to_b[*from], connection.from->pin, *filters.a_to_b[*to], connection.to->pin});
    if (found == by_ends.end()) continue;
    for (const std::size_t j : found->second) {
      if (taken[j]) continue;
      a_to_b[i] = j;
      taken[j] = true;
      break;
    }
  }
  return a_to_b;
}

ByteDifference ByteDifferenceOf(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
  ByteDifference difference;
  difference.a_size = a.size();
  difference.b_size = b.size();
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t at = 0; at < common;) {
    if (a[at] == b[at]) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < common && a[end] != b[end]) ++end;
    difference.differing += end - at;
    ++difference.run_count;
    if (difference.runs.size() < kMostByteRuns) difference.runs.push_back({at, end - at});
    at = end;
  }
  return difference;
}

// Gathers the differences, each item under the entry given last.
class DifferenceList {
 public:
  void Entry(DifferenceSection section, Index in_a, Index in_b, std::string subject) {
    section_ = section;
    in_a_ = in_a;
    in_b_ = in_b;
    subject_ = std::move(subject);
  }

  // Adds the item when the values differ.
  void Values(DifferenceItem item, Words a, Words b, std::string_view field = {}) {
    if (a == b) return;
    const Change change = !b ? Change::kRemoved : !a ? Change::kAdded : Change::kChanged;
    Difference& difference = Add(item, change);
    difference.field = field;
    difference.a = std::move(a);
    difference.b = std::move(b);
  }

  void Bytes(DifferenceItem item, std::span<const std::uint8_t> a,
             std::span<const std::uint8_t> b) {
    if (std::ranges::equal(a, b)) return;
    Add(item, Change::kChanged).bytes = ByteDifferenceOf(a, b);
  }

  std::vector<Difference> Take() { return std::move(list_); }

 private:
  Difference& Add(DifferenceItem item, Change change) {
    Difference& difference = list_.emplace_back();
    difference.section = section_;
    difference.item = item;
    difference.change = change;
    difference.in_a = in_a_;
    difference.in_b = in_b_;
    difference.subject = subject_;
    return difference;
  }

  std::vector<Difference> list_;
  DifferenceSection section_ = DifferenceSection::kVersion;
  Index in_a_, in_b_;
  std::string subject_;
};

template <typename Value, typename Say>
Words WordsOf(const std::optional<Value>& value, Say say) {
  if (!value) return std::nullopt;
  return say(*value);
}

template <typename Number>
Words NumberWords(const std::optional<Number>& number) {
  return WordsOf(number, [](Number n) { return std::to_string(n); });
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// A flag is said by its words on the side where it is set.
Words FlagWords(const std::optional<bool>& flag, std::string_view words) {
  if (!flag.value_or(false)) return std::nullopt;
  return std::string(words);
}

// The name, and the GUID too when the other side's name is the same for another GUID.
Words NamedWords(const std::optional<NamedGuid>& named, const std::optional<NamedGuid>& other) {
  if (!named) return std::nullopt;
  if (other && other->name == named->name && other->guid != named->guid) {
    return named->name + ' ' + GuidText(named->guid);
  }
  return named->name;
}

// What a wrapper filter wraps, as its line says it; the line of any other filter only counts
// its data's bytes, which the data's own items say.
Words WrappedWords(const FilterModel& filter) {
  if (filter.kind == FilterKind::kDirectShow) return std::nullopt;
  return filter.description;
}

void CompareFilters(const FilterModel& a, const FilterModel& b, DifferenceList& out) {
  const auto clsid = [](const Guid& g) { return GuidText(g); };
  const auto file = [](const FileClause& f) { return f.keyword + "  " + Quoted(f.path); };
  out.Values(DifferenceItem::kId, a.id, b.id);
  out.Values(DifferenceItem::kName, Quoted(a.name), Quoted(b.name));
  out.Values(DifferenceItem::kClsid, WordsOf(a.clsid, clsid), WordsOf(b.clsid, clsid));
  out.Values(DifferenceItem::kFile, WordsOf(a.file, file), WordsOf(b.file, file));
  out.Values(DifferenceItem::kDataSize, NumberWords(a.data_size), NumberWords(b.data_size));
  out.Bytes(DifferenceItem::kData, a.data, b.data);
  out.Values(DifferenceItem::kDescription, WrappedWords(a), WrappedWords(b));
}

// Fields are paired by name and rank among the fields of that name (records may nest).
using FieldKey = std::pair<std::string_view, std::size_t>;

std::map<FieldKey, const FormatField*> KeyedFields(const std::vector<FormatField>& fields) {
  std::map<FieldKey, const FormatField*> keyed;
  std::map<std::string_view, std::size_t> seen;
  for (const FormatField& field : fields) keyed[{field.Name(), seen[field.Name()]++}] = &field;
  return keyed;
}

void CompareFields(const FormatModel& a, const FormatModel& b, DifferenceList& out) {
  std::map<FieldKey, const FormatField*> in_b = KeyedFields(b.fields);
  std::map<std::string_view, std::size_t> seen;
  for (const FormatField& field : a.fields) {
    const auto found = in_b.find({field.Name(), seen[field.Name()]++});
    const Words b_value =
        found == in_b.end() ? Words() : Words(std::string(found->second->Value()));
    out.Values(DifferenceItem::kFormatField, std::string(field.Value()), b_value, field.Name());
    if (found != in_b.end()) in_b.erase(found);
  }
  for (const FormatField& field : b.fields) {
    const bool left =
        std::ranges::any_of(in_b, [&](const auto& kept) { return kept.second == &field; });
    if (left) {
      out.Values(DifferenceItem::kFormatField, std::nullopt, std::string(field.Value()),
                 field.Name());
    }
  }
}

void CompareFormats(const std::optional<FormatModel>& a, const std::optional<FormatModel>& b,
                    DifferenceList& out) {
  const auto type = [](const std::optional<FormatModel>& f) {
    return f ? std::optional(f->type) : std::nullopt;
  };
  out.Values(DifferenceItem::kFormatType, NamedWords(type(a), type(b)),
             NamedWords(type(b), type(a)));
  if (!a || !b) return;
  out.Values(DifferenceItem::kFormatSize, NumberWords(a->size), NumberWords(b->size));
  CompareFields(*a, *b, out);
  out.Bytes(DifferenceItem::kFormatBytes, a->bytes, b->bytes);
}

void CompareMediaTypes(const MediaTypeModel& a, const MediaTypeModel& b, DifferenceList& out) {
  const auto sample_size = [](std::uint32_t n) {  // signed, as the report shows it
    return std::to_string(static_cast<std::int32_t>(n));
  };
  out.Values(DifferenceItem::kMajorType, NamedWords(a.major_type, b.major_type),
             NamedWords(b.major_type, a.major_type));
  out.Values(DifferenceItem::kSubtype, NamedWords(a.subtype, b.subtype),
             NamedWords(b.subtype, a.subtype));
  out.Values(DifferenceItem::kFixedSizeSamples,
             FlagWords(a.fixed_size_samples, texts::kFixedSizeSamples),
             FlagWords(b.fixed_size_samples, texts::kFixedSizeSamples));
  out.Values(DifferenceItem::kTemporalCompression,
             FlagWords(a.temporal_compression, texts::kTemporalCompression),
             FlagWords(b.temporal_compression, texts::kTemporalCompression));
  out.Values(DifferenceItem::kSampleSize, WordsOf(a.sample_size, sample_size),
             WordsOf(b.sample_size, sample_size));
  CompareFormats(a.format, b.format, out);
}

void CompareAllFilters(const GraphModel& a, const GraphModel& b, const FilterPairing& pairing,
                       DifferenceList& out) {
  for (std::size_t i = 0; i < a.filters.size(); ++i) {
    const Index j = pairing.a_to_b[i];
    out.Entry(DifferenceSection::kFilters, i, j, FilterWords(a.filters[i]));
    if (j) {
      CompareFilters(a.filters[i], b.filters[*j], out);
    } else {
      out.Values(DifferenceItem::kWhole, FilterWords(a.filters[i]), std::nullopt);
    }
  }
  for (std::size_t j = 0; j < b.filters.size(); ++j) {
    if (pairing.b_to_a[j]) continue;
    out.Entry(DifferenceSection::kFilters, std::nullopt, j, FilterWords(b.filters[j]));
    out.Values(DifferenceItem::kWhole, std::nullopt, FilterWords(b.filters[j]));
  }
}

// A connection only in one graph: its pin line and the media type it carried.
std::string WholeConnectionWords(const ConnectionModel& connection, const GraphModel& graph) {
  std::string words = ConnectionWords(connection, graph);
  const std::string media = connection.media_type ? MediaTypeLabel(*connection.media_type) : "";
  if (!media.empty()) words += "  " + media;
  return words;
}

void CompareAllConnections(const GraphModel& a, const GraphModel& b, const FilterPairing& filters,
                           DifferenceList& out) {
  const std::vector<Index> a_to_b = PairConnections(a, b, filters);
  std::vector<bool> paired(b.connections.size());
  for (std::size_t i = 0; i < a.connections.size(); ++i) {
    out.Entry(DifferenceSection::kConnections, i, a_to_b[i], ConnectionWords(a.connections[i], a));
    if (!a_to_b[i]) {
      out.Values(DifferenceItem::kWhole, WholeConnectionWords(a.connections[i], a), std::nullopt);
      continue;
    }
    paired[*a_to_b[i]] = true;
    const ConnectionModel& x = a.connections[i];
    const ConnectionModel& y = b.connections[*a_to_b[i]];
    if (x.media_type && y.media_type) CompareMediaTypes(*x.media_type, *y.media_type, out);
  }
  for (std::size_t j = 0; j < b.connections.size(); ++j) {
    if (paired[j]) continue;
    out.Entry(DifferenceSection::kConnections, std::nullopt, j,
              ConnectionWords(b.connections[j], b));
    out.Values(DifferenceItem::kWhole, std::nullopt, WholeConnectionWords(b.connections[j], b));
  }
}

// The clock's source; the reference of a clock that no walk derived.
Words SourceWords(const ClockModel& clock, const GraphModel& graph) {
  if (!clock.kind || !clock.reference) return clock.reference;
  std::string filter_words;
  if (clock.kind == ClockKind::kFilter && clock.position && *clock.position >= 1 &&
      static_cast<std::size_t>(*clock.position) <= graph.filters.size()) {
    const FilterModel& filter = graph.filters[*clock.position - 1];
    filter_words = filter.id + "  " + Quoted(filter.name);
  }
  return ClockSourceWords(*clock.kind, filter_words, *clock.reference);
}

Words WholeClockWords(const std::optional<ClockModel>& clock, const GraphModel& graph) {
  if (!clock) return std::nullopt;
  return SourceWords(*clock, graph).value_or("") +
         RequiredClockWords(clock->required.value_or(false));
}

// Two clocks given by paired filters are the same clock, whatever the filters' numbers.
bool SameFilterClock(const ClockModel& a, const ClockModel& b, const FilterPairing& pairing) {
  if (a.kind != ClockKind::kFilter || b.kind != ClockKind::kFilter || !a.position || !b.position) {
    return false;
  }
  const auto at = static_cast<std::size_t>(*a.position - 1);
  return at < pairing.a_to_b.size() &&
         pairing.a_to_b[at] == static_cast<std::size_t>(*b.position - 1);
}

void CompareClocks(const GraphModel& a, const GraphModel& b, const FilterPairing& pairing,
                   DifferenceList& out) {
  out.Entry(DifferenceSection::kClock, std::nullopt, std::nullopt, "");
  if (!a.clock || !b.clock) {
    out.Values(DifferenceItem::kWhole, WholeClockWords(a.clock, a), WholeClockWords(b.clock, b));
    return;
  }
  out.Values(DifferenceItem::kClockRequired, FlagWords(a.clock->required, texts::kRequired),
             FlagWords(b.clock->required, texts::kRequired));
  if (SameFilterClock(*a.clock, *b.clock, pairing)) return;
  out.Values(DifferenceItem::kClockSource, SourceWords(*a.clock, a),
             SourceWords(*b.clock, b));
}

}  // namespace

std::string FilterWords(const FilterModel& filter) {
  std::string words = filter.id + "  " + Quoted(filter.name);
  if (filter.clsid) words += "  " + GuidText(*filter.clsid);
  return words;
}

std::string ConnectionWords(const ConnectionModel& connection, const GraphModel& graph) {
  const auto end = [&](const std::optional<PinEnd>& pin_end) {
    if (!pin_end) return std::string();
    const Index filter = FilterIndex(pin_end, graph);
    const std::string name = filter ? Quoted(graph.filters[*filter].name) : pin_end->id;
    return name + "  " + Quoted(pin_end->pin);
  };
  return end(connection.from) + std::string(texts::kPinArrow) + end(connection.to);
}

std::vector<Difference> CompareGraphs(const GraphModel& a, const GraphModel& b) {
  DifferenceList out;
  out.Entry(DifferenceSection::kVersion, std::nullopt, std::nullopt, "");
  out.Values(DifferenceItem::kVersion, a.version, b.version);
  const FilterPairing pairing = PairAllFilters(a, b);
  CompareAllFilters(a, b, pairing, out);
  CompareAllConnections(a, b, pairing, out);
  CompareClocks(a, b, pairing, out);
  return out.Take();
}

}  // namespace mivalto

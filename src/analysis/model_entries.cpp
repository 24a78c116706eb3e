#include "analysis/model_entries.h"

#include "base/program_texts.h"
#include "base/read_failure.h"
#include "base/text_encoding.h"
#include "model/graph_text_words.h"
#include "scan/graph_scanner.h"

namespace mivalto {
namespace {

constexpr std::string_view kSectionTitles[] = {kFiltersTitle, kConnectionsTitle};

template <typename Entry>
Entry TakeFirst(std::deque<Entry>& entries) {
  Entry first = std::move(entries.front());
  entries.pop_front();
  return first;
}

// The end as a graph text's would be read: its filter by the number the id folds to.
PinEnd EndAsNumbered(PinEnd end, const GraphFilterList& filters) {
  std::uint32_t number = 0;
  for (const char16_t unit : Utf16FromUtf8(end.id)) number = FoldDigit(number, unit);
  end.position = static_cast<std::int32_t>(number);
  CheckConnectedFilter(filters, end.position);
  return end;
}

}  // namespace

std::string ModelEntries::SectionTitle() { return std::string(kSectionTitles[section_++]); }

bool ModelEntries::HasEntry() {
  return section_ == 1 ? !graph_.filters.empty() : !graph_.connections.empty();
}

FilterAsRead ModelEntries::Filter(int position) {
  FilterAsRead entry{TakeFirst(graph_.filters), {}};
  entry.filter.position = position;
  return entry;
}

ConnectionPins ModelEntries::Pins(const GraphFilterList& filters) {
  ConnectionModel connection = TakeFirst(graph_.connections);
  media_ = std::move(*connection.media_type);
  ConnectionPins pins;
  pins.from = EndAsNumbered(std::move(*connection.from), filters);
  pins.to = EndAsNumbered(std::move(*connection.to), filters);
  return pins;
}

void ModelEntries::MajorType(MediaTypeModel& media, MediaTypeSpelling&) {
  media.major_type = NamedGuid{media_.major_type->guid, {}};
}

void ModelEntries::Subtype(MediaTypeModel& media, MediaTypeSpelling&) {
  media.subtype = NamedGuid{media_.subtype->guid, {}};
  media.fixed_size_samples = media_.fixed_size_samples;
  media.temporal_compression = media_.temporal_compression;
  media.sample_size = media_.sample_size;
}

std::optional<std::uint64_t> ModelEntries::Format(MediaTypeModel& media) {
  FormatModel& format = *media_.format;
  media.format = FormatModel{{format.type.guid, {}}, format.size, std::move(format.bytes), {}};
  return std::nullopt;
}

// A graph of version "0003" without a clock line: its text would end where the line starts.
ClockEntry ModelEntries::Clock() {
  if (!graph_.clock) throw ReadFailure(texts::kEndInGraphText);
  ClockEntry entry{{}, std::string(kClockKeyword)};
  entry.clock.required = graph_.clock->required;
  entry.clock.reference = std::move(graph_.clock->reference);
  return entry;
}

std::optional<std::string> ModelEntries::EndMarker() { return std::string(kEndMarker); }

}  // namespace mivalto

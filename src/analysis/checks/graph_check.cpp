#include "analysis/checks/graph_check.h"

#include <algorithm>

#include "analysis/checks/check_texts.h"
#include "analysis/checks/rule_context.h"
#include "base/program_texts.h"
#include "mediatype/media_type.h"

namespace mivalto {

std::string check_texts::Said(std::string_view pattern,
                              std::initializer_list<std::string_view> values) {
  std::string out;
  out.reserve(pattern.size() + 16 * values.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const bool mark = pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
                      pattern[i + 1] >= '1' && pattern[i + 1] <= '9';
    const std::size_t n = mark ? static_cast<std::size_t>(pattern[i + 1] - '1') : values.size();
    if (n < values.size()) {
      out += values.begin()[n];
      i += 2;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::optional<Severity> WorstSeverity(const std::vector<Finding>& findings) {
  std::optional<Severity> worst;
  for (const Finding& finding : findings) {
    if (!worst || finding.severity > *worst) worst = finding.severity;
  }
  return worst;
}

void FindingList::Add(Finding finding, std::optional<std::uint64_t> file_offset) {
  if (file_offset) {
    if (*file_offset >= places_.text_start) finding.text_offset = *file_offset - places_.text_start;
    finding.file_offset = file_offset;
  }
  findings_.push_back(std::move(finding));
}

namespace {

std::optional<std::uint64_t> PlaceAt(const std::vector<std::uint64_t>& places, int number) {
  if (number < 1 || static_cast<std::size_t>(number) > places.size()) return std::nullopt;
  return places[static_cast<std::size_t>(number - 1)];
}

}  // namespace

void FindingList::AtField(Severity severity, const MediaTypeUnderCheck& type,
                          std::string_view field, std::int64_t at, std::string sentence) {
  std::optional<std::uint64_t> offset = PlaceAt(places_.format_blocks, type.connection);
  if (offset) *offset = static_cast<std::uint64_t>(static_cast<std::int64_t>(*offset) + at);
  Add({rule_, severity, PlaceKind::kConnection, type.connection, field, std::move(sentence)},
      offset);
}

void FindingList::AtFilter(Severity severity, int position, std::string sentence) {
  Add({rule_, severity, PlaceKind::kFilter, position, {}, std::move(sentence)},
      PlaceAt(places_.filters, position));
}

void FindingList::AtConnection(Severity severity, int number, std::string sentence) {
  Add({rule_, severity, PlaceKind::kConnection, number, {}, std::move(sentence)},
      PlaceAt(places_.connections, number));
}

void FindingList::AtClock(Severity severity, std::string sentence) {
  Add({rule_, severity, PlaceKind::kClock, 0, {}, std::move(sentence)}, places_.clock);
}

void FindingList::AtStop(std::string sentence) {
  Add({rule_, Severity::kError, PlaceKind::kFile, 0, {}, std::move(sentence)}, places_.stop);
}

namespace {

constexpr std::span<const MediaTypeRule> (*kMediaTypeFamilies[])() = {FormatRules, VideoRules,
                                                                      AudioRules};
constexpr std::span<const GraphRule> (*kGraphFamilies[])() = {GraphRules, MachineRules};

void CheckMediaType(int number, const MediaTypeModel& media, FindingList& out) {
  if (!media.format || !media.format->size) return;  // the walk did not reach its block
  const FormatModel& format = *media.format;
  const FormatType& type = FindFormatType(format.type.guid);
  const MediaTypeUnderCheck under_check{
      number, &media, &type, format.bytes,
      type.record_size != 0 && format.bytes.size() >= type.record_size};
  for (const auto family : kMediaTypeFamilies) {
    for (const MediaTypeRule& rule : family()) {
      out.SetRule(rule.id);
      rule.check(under_check, out);
    }
  }
}

}  // namespace

std::vector<Finding> CheckGraph(const GraphModel& graph, const GraphPlaces& places,
                                std::string_view stop_reason) {
  FindingList out(places);
  for (const auto family : kGraphFamilies) {
    for (const GraphRule& rule : family()) {
      out.SetRule(rule.id);
      rule.check(graph, out);
    }
  }
  for (std::size_t i = 0; i < graph.connections.size(); ++i) {
    const ConnectionModel& connection = graph.connections[i];
    if (connection.media_type) CheckMediaType(static_cast<int>(i + 1), *connection.media_type, out);
  }
  if (!stop_reason.empty()) {
    out.SetRule(kStopRule);
    out.AtStop(check_texts::Said(check_texts::kStopped, {stop_reason}));
  }
  std::vector<Finding> findings = out.Take();
  // Entries in the model's order, whatever rule found them first.
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    return std::pair(a.place, a.number) < std::pair(b.place, b.number);
  });
  return findings;
}

std::vector<std::string_view> RuleIds() {
  std::vector<std::string_view> ids;
  for (const auto family : kGraphFamilies) {
    for (const GraphRule& rule : family()) ids.push_back(rule.id);
  }
  for (const auto family : kMediaTypeFamilies) {
    for (const MediaTypeRule& rule : family()) ids.push_back(rule.id);
  }
  ids.push_back(kStopRule);
  return ids;
}

namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

const FilterModel* FilterAt(const GraphModel& graph, int position) {
  if (position < 1 || static_cast<std::size_t>(position) > graph.filters.size()) return nullptr;
  return &graph.filters[static_cast<std::size_t>(position - 1)];
}

}  // namespace

std::string FilterWords(const GraphModel& graph, int position) {
  const FilterModel* filter = FilterAt(graph, position);
  if (filter == nullptr) return std::to_string(position);
  return filter->id + " " + Quoted(filter->name);
}

namespace {

std::string EndWords(const GraphModel& graph, const std::optional<PinEnd>& end) {
  if (!end) return "?";
  const FilterModel* filter = FilterAt(graph, end->position);
  return (filter ? Quoted(filter->name) : end->id) + "  " + Quoted(end->pin);
}

std::string EntryWords(const Finding& finding, const GraphModel& graph) {
  switch (finding.place) {
    case PlaceKind::kFilter:
      return std::string(check_texts::kPlaceFilter) + " " + FilterWords(graph, finding.number);
    case PlaceKind::kConnection: {
      std::string words = std::string(check_texts::kPlaceConnection) + " " +
                          std::to_string(finding.number);
      if (finding.number >= 1 && static_cast<std::size_t>(finding.number) <= graph.connections.size()) {
        const ConnectionModel& c = graph.connections[static_cast<std::size_t>(finding.number - 1)];
        words += " : " + EndWords(graph, c.from) + std::string(texts::kPinArrow) +
                 EndWords(graph, c.to);
      }
      return words;
    }
    case PlaceKind::kClock:
      return std::string(check_texts::kPlaceClock);
    case PlaceKind::kFile:
      break;
  }
  return std::string(check_texts::kPlaceFile);
}

}  // namespace

std::string PlaceText(const Finding& finding, const GraphModel& graph) {
  std::string text = EntryWords(finding, graph);
  if (!finding.field.empty()) (text += ", ") += finding.field;
  return text;
}

std::string OffsetText(const Finding& finding) {
  if (!finding.text_offset) return {};
  const std::string text = std::to_string(*finding.text_offset);
  if (!finding.file_offset) return check_texts::Said(check_texts::kOffsetInText, {text});
  return check_texts::Said(check_texts::kOffsetInFile, {std::to_string(*finding.file_offset), text});
}

}  // namespace mivalto

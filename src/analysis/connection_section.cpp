#include "analysis/connection_section.h"

#include <algorithm>

#include "analysis/clock_words.h"
#include "base/guid.h"
#include "base/program_texts.h"
#include "base/read_failure.h"
#include "base/text_encoding.h"

namespace mivalto {
namespace {

constexpr std::uint16_t kRequiredFlag = '1';

// One end, the pin kept without its quotes.
PinEnd ReadPinEnd(GraphScanner& scanner, const GraphFilterList& filters) {
  GraphScanner::DecimalText number = scanner.ReadDecimalText(4);
  PinEnd end{number.value, {}, std::move(number.text)};
  CheckConnectedFilter(filters, end.position);
  scanner.SkipChar();
  end.pin = WithoutQuotes(scanner.ReadQuoted());
  return end;
}

// "name  pin" of one end.
std::string PinEndText(const PinEnd& end, const GraphFilterList& filters) {
  return filters[end.position - 1].quoted_name + "  \"" + end.pin + "\"";
}

struct ClockFilter {
  ClockKind kind;
  std::optional<int> position;
};

template <typename Match>
ClockFilter FirstClockFilter(const GraphFilterList& filters, Match match) {
  const auto found = std::find_if(filters.begin(), filters.end(), match);
  if (found == filters.end()) return {ClockKind::kUnknown, std::nullopt};
  return {ClockKind::kFilter, static_cast<int>(found - filters.begin() + 1)};
}

ClockFilter ClockOf(const std::string& ref, const GraphFilterList& filters) {
  switch (CodePointCount(ref)) {
    case 4:
      if (ref == "0000") return {ClockKind::kNone, std::nullopt};
      return FirstClockFilter(filters, [&](const ListedFilter& f) { return f.number == ref; });
    case 38: {
      const Guid clsid = ParseGuidOrFail(ref);
      if (clsid == kClsidSystemClock) return {ClockKind::kSystem, std::nullopt};
      return FirstClockFilter(filters, [&](const ListedFilter& f) { return f.clsid == clsid; });
    }
    default:
      return {ClockKind::kUnknown, std::nullopt};
  }
}

std::string ClockName(const ClockModel& clock, const GraphFilterList& filters) {
  const bool filter = clock.kind == ClockKind::kFilter;
  return ClockSourceWords(*clock.kind, filter ? filters[*clock.position - 1].quoted_name : "",
                          *clock.reference);
}

}  // namespace

void CheckConnectedFilter(const GraphFilterList& filters, std::int32_t position) {
  if (position < 1 || static_cast<std::size_t>(position) > filters.size()) {
    throw ReadFailure(texts::ConnectionToMissingFilter(position));
  }
}

ConnectionPins ReadConnectionPins(GraphScanner& scanner, const GraphFilterList& filters) {
  ConnectionPins pins;
  pins.from = ReadPinEnd(scanner, filters);
  scanner.SkipChar();
  pins.to = ReadPinEnd(scanner, filters);
  scanner.SkipChar();
  scanner.ReadChars(10);  // a field the report does not show
  scanner.NextChar();
  return pins;
}

std::string DescribeConnectionPins(const PinEnd& from, const PinEnd& to,
                                   const GraphFilterList& filters) {
  return PinEndText(from, filters) + std::string(texts::kPinArrow) + PinEndText(to, filters);
}

ClockEntry ReadClockLine(GraphScanner& scanner) {
  ClockEntry entry;
  entry.keyword = scanner.ReadChars(5);
  scanner.SkipChar();
  entry.clock.required = (scanner.NextChar() & 0xFF) == kRequiredFlag;
  scanner.SkipChar();
  entry.clock.reference = scanner.ReadLine();
  return entry;
}

void DeriveClock(ClockModel& clock, const GraphFilterList& filters) {
  const ClockFilter found = ClockOf(*clock.reference, filters);
  clock.kind = found.kind;
  clock.position = found.position;
}

ClockLines DescribeClock(const ClockModel& clock, const std::string& keyword,
                         const GraphFilterList& filters) {
  ClockLines lines{keyword + "  ", ClockName(clock, filters)};
  lines.title += RequiredClockWords(*clock.required);
  return lines;
}

}  // namespace mivalto

#include "analysis/connection_section.h"

#include <algorithm>

#include "base/guid.h"
#include "base/program_texts.h"
#include "base/read_failure.h"
#include "base/text_encoding.h"

namespace mivalto {
namespace {

constexpr std::uint16_t kRequiredFlag = '1';

const std::string& FilterNameAt(const GraphFilterList& filters, std::int32_t position) {
  if (position < 1 || static_cast<std::size_t>(position) > filters.size()) {
    throw ReadFailure(texts::ConnectionToMissingFilter(position));
  }
  return filters[position - 1].GraphName;
}

// "name  pin  " of one end; the pin is kept without its quotes.
std::string ReadPinEnd(GraphScanner& scanner, const GraphFilterList& filters, PinEnd& end) {
  // One read per statement: the operands of + are not read in a fixed order.
  GraphScanner::DecimalText number = scanner.ReadDecimalText(4);
  end.id = std::move(number.text);
  end.position = number.value;
  std::string text = FilterNameAt(filters, end.position);
  text += scanner.SkipChar();
  const std::string pin = scanner.ReadQuoted();
  end.pin = WithoutQuotes(pin);
  return text + pin;
}

struct ClockFilter {
  std::string name;
  ClockKind kind;
  std::optional<int> position;
};

template <typename Match>
ClockFilter FirstClockFilter(const GraphFilterList& filters, const std::string& otherwise,
                             Match match) {
  const auto found = std::find_if(filters.begin(), filters.end(), match);
  if (found == filters.end()) return {otherwise, ClockKind::kUnknown, std::nullopt};
  return {found->GraphName, ClockKind::kFilter, static_cast<int>(found - filters.begin() + 1)};
}

ClockFilter ClockOf(const std::string& ref, const GraphFilterList& filters) {
  switch (CodePointCount(ref)) {
    case 4:
      if (ref == "0000") return {std::string(texts::kNone), ClockKind::kNone, std::nullopt};
      return FirstClockFilter(filters, ref, [&](const TfilterItem& f) { return f.Number == ref; });
    case 38: {
      const Guid clsid = ParseGuidOrFail(ref);
      if (clsid == kClsidSystemClock) {
        return {std::string(texts::kSystemClock), ClockKind::kSystem, std::nullopt};
      }
      return FirstClockFilter(filters, ref, [&](const TfilterItem& f) { return f.CLSID == clsid; });
    }
    default:
      return {ref, ClockKind::kUnknown, std::nullopt};
  }
}

}  // namespace

ConnectionPins ReadConnectionPins(GraphScanner& scanner, const GraphFilterList& filters) {
  ConnectionPins pins;
  pins.text = ReadPinEnd(scanner, filters, pins.from);
  pins.text += scanner.SkipChar();
  pins.text += " => ";
  pins.text += ReadPinEnd(scanner, filters, pins.to);
  scanner.SkipChar();
  scanner.ReadChars(10);  // a field the report does not show
  scanner.NextChar();
  return pins;
}

ClockLine ReadClockLine(GraphScanner& scanner, const GraphFilterList& filters) {
  ClockLine line;
  line.title = scanner.ReadChars(5);
  line.title += scanner.SkipChar();
  const bool required = (scanner.NextChar() & 0xFF) == kRequiredFlag;
  if (required) line.title += " (" + std::string(texts::kRequired) + ")";
  scanner.SkipChar();
  const std::string reference = scanner.ReadLine();
  ClockFilter clock = ClockOf(reference, filters);
  line.clock = std::move(clock.name);
  line.model = {required, reference, clock.kind, clock.position};
  return line;
}

}  // namespace mivalto

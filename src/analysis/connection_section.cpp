#include "analysis/connection_section.h"

#include <algorithm>

#include "base/guid.h"
#include "base/program_texts.h"
#include "base/read_failure.h"
#include "base/text_encoding.h"

namespace mivalto {
namespace {

constexpr Guid kSystemClock = "{E436EBB1-524F-11CE-9F53-0020AF0BA770}"_guid;
constexpr std::uint16_t kRequiredFlag = '1';

const std::string& FilterNameAt(const GraphFilterList& filters, std::int32_t position) {
  if (position < 1 || static_cast<std::size_t>(position) > filters.size()) {
    throw ReadFailure(texts::ConnectionToMissingFilter(position));
  }
  return filters[position - 1].GraphName;
}

template <typename Match>
std::string FirstFilterName(const GraphFilterList& filters, const std::string& otherwise,
                            Match match) {
  const auto found = std::find_if(filters.begin(), filters.end(), match);
  return found != filters.end() ? found->GraphName : otherwise;
}

std::string ClockName(const std::string& ref, const GraphFilterList& filters) {
  switch (CodePointCount(ref)) {
    case 4:
      if (ref == "0000") return std::string(texts::kNone);
      return FirstFilterName(filters, ref, [&](const TfilterItem& f) { return f.Number == ref; });
    case 38: {
      const Guid clsid = ParseGuidOrFail(ref);
      if (clsid == kSystemClock) return "System Clock";
      return FirstFilterName(filters, ref, [&](const TfilterItem& f) { return f.CLSID == clsid; });
    }
    default:
      return ref;
  }
}

}  // namespace

std::string ReadConnectionPins(GraphScanner& scanner, const GraphFilterList& filters) {
  // One read per statement: the operands of + are not read in a fixed order.
  std::string line = FilterNameAt(filters, scanner.ReadDecimal(4));
  line += scanner.SkipChar();
  line += scanner.ReadQuoted();
  line += scanner.SkipChar();
  line += " => ";
  line += FilterNameAt(filters, scanner.ReadDecimal(4));
  line += scanner.SkipChar();
  line += scanner.ReadQuoted();
  scanner.SkipChar();
  scanner.ReadChars(10);  // a field the report does not show
  scanner.NextChar();
  return line;
}

ClockLine ReadClockLine(GraphScanner& scanner, const GraphFilterList& filters) {
  ClockLine line;
  line.title = scanner.ReadChars(5);
  line.title += scanner.SkipChar();
  if ((scanner.NextChar() & 0xFF) == kRequiredFlag) {
    line.title += " (" + std::string(texts::kRequired) + ")";
  }
  scanner.SkipChar();
  line.clock = ClockName(scanner.ReadLine(), filters);
  return line;
}

}  // namespace mivalto

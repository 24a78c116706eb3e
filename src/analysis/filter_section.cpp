#include "analysis/filter_section.h"

namespace mivalto {
namespace {

constexpr std::uint16_t kClauseStart = 'S';

// The optional "SOURCE "path" " clause.
std::optional<FileClause> ReadOptionalClause(GraphScanner& scanner) {
  if (scanner.CurrentChar() != kClauseStart) return std::nullopt;
  FileClause clause;
  clause.keyword = scanner.ReadWord();
  scanner.SkipChar();
  clause.path = WithoutQuotes(scanner.ReadQuoted());
  scanner.SkipChar();
  return clause;
}

// The data block: a ten-digit count, a separator, the raw bytes, read whole (the count is
// checked against the file first); CurrentChar is left on the CR that ends the entry's line.
std::vector<std::uint8_t> ReadFilterData(GraphScanner& scanner) {
  std::vector<std::uint8_t> data(scanner.ReadFilterBlockCount());
  scanner.ReadBlockBytes(data);
  scanner.SkipBlockRest();
  return data;
}

}  // namespace

std::string WithoutQuotes(std::string_view quoted) {
  return std::string(quoted.substr(1, quoted.size() - 2));
}

FilterAsRead ReadFilterEntry(GraphScanner& scanner, int position) {
  FilterAsRead entry;
  FilterModel& filter = entry.filter;
  filter.position = position;
  filter.id = scanner.ReadChars(4);
  scanner.SkipChar();
  filter.name = WithoutQuotes(scanner.ReadQuoted());
  scanner.SkipChar();
  SpelledGuid clsid = scanner.ReadGuid();
  filter.clsid = clsid.value;
  entry.spelling.clsid = std::move(clsid.odd_text);
  scanner.SkipChar();
  filter.file = ReadOptionalClause(scanner);
  filter.data = ReadFilterData(scanner);
  filter.data_size = static_cast<std::uint32_t>(filter.data.size());
  scanner.NextChar();  // the CR
  scanner.NextChar();  // the LF
  return entry;
}

ListedFilter ListingOf(const FilterModel& filter) {
  return {filter.id, "\"" + filter.name + "\"", *filter.clsid};
}

}  // namespace mivalto

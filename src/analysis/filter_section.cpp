#include "analysis/filter_section.h"

#include <algorithm>

#include "analysis/filter_data.h"
#include "base/guid.h"

namespace mivalto {
namespace {

constexpr std::uint16_t kClauseStart = 'S';

// Filters whose data block says what they wrap; their line shows that instead of the CLSID.
using DataDescriber = DataDescription (*)(const FilterDataBlock&, const FilterCatalogue&,
                                          const std::string& guid_text);

struct DataFilter {
  Guid clsid;
  FilterKind kind;  // gives the line its colour
  DataDescriber describe;
};

constexpr DataFilter kDataFilters[] = {
    {"{94297043-BD82-4DFD-B0DE-8177739C6D20}"_guid, FilterKind::kDmo,
     [](const FilterDataBlock& b, const FilterCatalogue& c, const std::string&) {
       return DescribeDmoData(b, c);
     }},
    {kClsidProxy, FilterKind::kPnp, DescribeDeviceData},
    {"{6A08CF80-0E18-11CF-A24D-0020AFD79767}"_guid, FilterKind::kAcm,
     [](const FilterDataBlock& b, const FilterCatalogue&, const std::string&) {
       return DescribeAcmData(b);
     }},
    {"{D76E2820-1563-11CF-AC98-00AA004C0FA9}"_guid, FilterKind::kAvi,
     [](const FilterDataBlock& b, const FilterCatalogue&, const std::string&) {
       return DescribeAviEncoderData(b);
     }},
};

struct RendererFilter {
  Guid clsid;
  std::string_view name;
};

constexpr RendererFilter kRenderers[] = {
    {"{B87BEB7B-8D29-423F-AE4D-6582C10175AC}"_guid, "Video Mixing Renderer (DX8)"},
    {"{6BC1CFFA-8FC1-4261-AC22-CFB4CC38DB50}"_guid, "Video Renderer Default(DX8)"},
    {"{6F26A6CD-967B-47FD-874A-7AED2C9D25A2}"_guid, "Video Port Manager (DX8)"},
    {"{06B32AEE-77DA-484B-973B-5D64F47201B0}"_guid, "Video Mixer (DX8)"},
};

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

// The clause as it stands in the line.
std::string ClauseText(const std::optional<FileClause>& clause) {
  return clause ? clause->keyword + "  \"" + clause->path + "\"  " : std::string();
}

// Renderers by their fixed names, other filters by their first catalogue entry.
std::optional<std::string> RegisteredName(const Guid& clsid, const FilterCatalogue& catalogue) {
  for (const RendererFilter& r : kRenderers) {
    if (r.clsid == clsid) return std::string(r.name);
  }
  const auto known = std::find_if(catalogue.KnownFilters.begin(), catalogue.KnownFilters.end(),
                                  [&](const TfilterItem& f) { return f.CLSID == clsid; });
  if (known == catalogue.KnownFilters.end()) return std::nullopt;
  return known->Name;
}

template <typename Item>
bool Lists(const std::vector<Item>& items, const Guid& clsid) {
  return std::any_of(items.begin(), items.end(), [&](const Item& i) { return i.CLSID == clsid; });
}

// What a filter needs to load: a DMO wrapper its DMO, a device proxy a device that matches
// its stored path (the device describer names it then), any other filter its own CLSID.
bool Registered(const FilterModel& filter, const FilterCatalogue& catalogue) {
  switch (filter.kind) {
    case FilterKind::kDmo:
      return filter.wraps.dmo_clsid && Lists(catalogue.KnownDmos, *filter.wraps.dmo_clsid);
    case FilterKind::kPnp:
      return filter.registered_name.has_value();
    default:
      return Lists(catalogue.KnownFilters, *filter.clsid);
  }
}

std::optional<std::string> UnlessEmpty(std::string text) {
  if (text.empty()) return std::nullopt;
  return text;
}

// A filter's data block and clause, then what the line says of them.
void DescribeDataFilter(GraphScanner& scanner, const FilterCatalogue& catalogue,
                        const DataFilter& kind, const std::string& guid_text,
                        FilterEntryLine& entry) {
  FilterModel& filter = entry.filter;
  entry.color = KindRow(kind.kind).color;
  filter.kind = kind.kind;
  filter.file = ReadOptionalClause(scanner);
  FilterDataBlock block = ReadFilterDataBlock(scanner);
  DataDescription description = kind.describe(block, catalogue, guid_text);
  entry.text += ClauseText(filter.file) + ": " + description.text;
  filter.registered_name = std::move(description.registered_name);
  filter.description = UnlessEmpty(std::move(description.text));
  filter.wraps = std::move(description.wraps);
  filter.data_size = block.size;
  filter.data = std::move(block.bytes);
}

void DescribePlainFilter(GraphScanner& scanner, const FilterCatalogue& catalogue,
                         const std::string& guid_text, const std::string& separator,
                         FilterEntryLine& entry) {
  FilterModel& filter = entry.filter;
  filter.registered_name = RegisteredName(*filter.clsid, catalogue);
  entry.text += filter.registered_name ? ": " + *filter.registered_name + " " + guid_text : guid_text;
  entry.text += separator;
  filter.file = ReadOptionalClause(scanner);
  FilterDataBlock block = ReadFilterDataBlock(scanner);
  const std::string note = FilterDataNote(block);
  entry.text += ClauseText(filter.file) + note;
  filter.description = UnlessEmpty(note);
  filter.data_size = block.size;
  filter.data = std::move(block.bytes);
}

// Compares the parts up to and including the first "#" and drops them; false when they differ.
bool MatchAndDropPart(std::string_view& a, std::string_view& b) {
  const std::size_t end_a = a.find('#'), end_b = b.find('#');
  if (end_a != end_b) return false;
  if (end_a == std::string_view::npos) return true;  // nothing to drop: both have no "#"
  if (a.substr(0, end_a + 1) != b.substr(0, end_b + 1)) return false;
  a.remove_prefix(end_a + 1);
  b.remove_prefix(end_b + 1);
  return true;
}

void DropPart(std::string_view& text) {
  const std::size_t end = text.find('#');
  if (end != std::string_view::npos) text.remove_prefix(end + 1);
}

}  // namespace

bool DevicePathMatch(std::string_view a, std::string_view b) {
  if (!MatchAndDropPart(a, b) || !MatchAndDropPart(a, b)) return false;
  DropPart(a);  // the instance id, which differs from machine to machine
  DropPart(b);
  return a == b;
}

FilterKind FilterKindOf(const Guid& clsid) {
  const auto found = std::find_if(std::begin(kDataFilters), std::end(kDataFilters),
                                  [&](const DataFilter& f) { return f.clsid == clsid; });
  return found != std::end(kDataFilters) ? found->kind : FilterKind::kDirectShow;
}

std::string WithoutQuotes(std::string_view quoted) {
  return std::string(quoted.substr(1, quoted.size() - 2));
}

FilterEntryLine ReadFilterEntry(GraphScanner& scanner, const FilterCatalogue& catalogue,
                                GraphFilterList& filters) {
  TfilterItem item;
  FilterEntryLine entry;
  FilterModel& filter = entry.filter;
  filter.position = static_cast<int>(filters.size() + 1);
  item.Number = filter.id = scanner.ReadChars(4);
  entry.text = item.Number + scanner.SkipChar();
  item.GraphName = scanner.ReadQuoted();
  filter.name = WithoutQuotes(item.GraphName);
  entry.text += item.GraphName + scanner.SkipChar();
  const std::string guid_text = scanner.ReadGuidText();
  item.CLSID = *(filter.clsid = ParseGuidOrFail(guid_text));
  const std::string separator = scanner.SkipChar();

  const auto data_filter = std::find_if(std::begin(kDataFilters), std::end(kDataFilters),
                                        [&](const DataFilter& f) { return f.clsid == item.CLSID; });
  if (data_filter != std::end(kDataFilters)) {
    DescribeDataFilter(scanner, catalogue, *data_filter, guid_text, entry);
  } else {
    DescribePlainFilter(scanner, catalogue, guid_text, separator, entry);
  }
  if (catalogue.Known) filter.registered = Registered(filter, catalogue);
  scanner.NextChar();  // the CR
  scanner.NextChar();  // the LF
  AppendToLargeVector(filters, std::move(item));
  return entry;
}

}  // namespace mivalto

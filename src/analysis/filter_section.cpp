#include "analysis/filter_section.h"

#include <algorithm>

#include "analysis/filter_data.h"
#include "base/guid.h"

namespace mivalto {
namespace {

constexpr std::uint16_t kClauseStart = 'S';

// Filters whose data block says what they wrap; their line shows that instead of the CLSID.
using DataDescriber = std::string (*)(GraphScanner&, const FilterCatalogue&, const std::string&);

struct DataFilter {
  Guid clsid;
  Color color;
  DataDescriber describe;
};

constexpr DataFilter kDataFilters[] = {
    {"{94297043-BD82-4DFD-B0DE-8177739C6D20}"_guid, kGreen,
     [](GraphScanner& s, const FilterCatalogue& c, const std::string&) {
       return ": " + DescribeDmoData(s, c);
     }},
    {kClsidProxy, kPurple, DescribeDeviceData},
    {"{6A08CF80-0E18-11CF-A24D-0020AFD79767}"_guid, kBlue,
     [](GraphScanner& s, const FilterCatalogue&, const std::string&) {
       return ": ACM Wrapper = " + DescribeAcmData(s);
     }},
    {"{D76E2820-1563-11CF-AC98-00AA004C0FA9}"_guid, kBlue,
     [](GraphScanner& s, const FilterCatalogue&, const std::string&) {
       return ": AVI Encoder = " + DescribeAviEncoderData(s);
     }},
};

struct RendererFilter {
  Guid clsid;
  std::string_view text;
};

constexpr RendererFilter kRenderers[] = {
    {"{B87BEB7B-8D29-423F-AE4D-6582C10175AC}"_guid, ": Video Mixing Renderer (DX8) "},
    {"{6BC1CFFA-8FC1-4261-AC22-CFB4CC38DB50}"_guid, ": Video Renderer Default(DX8) "},
    {"{6F26A6CD-967B-47FD-874A-7AED2C9D25A2}"_guid, ": Video Port Manager (DX8) "},
    {"{06B32AEE-77DA-484B-973B-5D64F47201B0}"_guid, ": Video Mixer (DX8) "},
};

// The optional "SOURCE "path" " clause, shown as it stands.
std::string ReadOptionalClause(GraphScanner& scanner) {
  if (scanner.CurrentChar() != kClauseStart) return {};
  std::string clause = scanner.ReadWord();
  clause += scanner.SkipChar();
  clause += scanner.ReadQuoted();
  clause += scanner.SkipChar();
  return clause;
}

// Renderers by their fixed names, other filters by their first catalogue entry.
std::string FilterNameText(const Guid& clsid, const std::string& guid_text,
                           const FilterCatalogue& catalogue) {
  for (const RendererFilter& r : kRenderers) {
    if (r.clsid == clsid) return std::string(r.text) + guid_text;
  }
  const auto known = std::find_if(catalogue.KnownFilters.begin(), catalogue.KnownFilters.end(),
                                  [&](const TfilterItem& f) { return f.CLSID == clsid; });
  return known != catalogue.KnownFilters.end() ? ": " + known->Name + " " + guid_text : guid_text;
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

FilterEntryLine ReadFilterEntry(GraphScanner& scanner, const FilterCatalogue& catalogue,
                                GraphFilterList& filters) {
  TfilterItem filter;
  filter.Number = scanner.ReadChars(4);
  std::string line = filter.Number + scanner.SkipChar();
  filter.GraphName = scanner.ReadQuoted();
  line += filter.GraphName + scanner.SkipChar();
  const std::string guid_text = scanner.ReadGuidText();
  filter.CLSID = ParseGuidOrFail(guid_text);
  const std::string separator = scanner.SkipChar();

  FilterEntryLine entry{{}, kBlack};
  const auto data_filter = std::find_if(std::begin(kDataFilters), std::end(kDataFilters),
                                        [&](const DataFilter& f) { return f.clsid == filter.CLSID; });
  if (data_filter != std::end(kDataFilters)) {
    entry.color = data_filter->color;
    line += ReadOptionalClause(scanner);
    line += data_filter->describe(scanner, catalogue, guid_text);
  } else {
    line += FilterNameText(filter.CLSID, guid_text, catalogue) + separator;
    line += ReadOptionalClause(scanner);
    line += DescribeFilterData(scanner);
  }
  scanner.NextChar();  // the CR
  scanner.NextChar();  // the LF
  AppendToLargeVector(filters, std::move(filter));
  entry.text = std::move(line);
  return entry;
}

}  // namespace mivalto

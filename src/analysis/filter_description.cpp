#include "analysis/filter_description.h"

#include <algorithm>

#include "analysis/filter_data.h"
#include "base/guid.h"
#include "catalogue/filter_classes.h"

namespace mivalto {
namespace {

// Filters whose data block says what they wrap; their line shows that instead of the CLSID.
using DataDescriber = DataDescription (*)(FilterData, const FilterCatalogue&,
                                          const SpelledGuid& clsid);

struct DataFilter {
  Guid clsid;
  FilterKind kind;  // gives the line its colour
  DataDescriber describe;
};

constexpr DataFilter kDataFilters[] = {
    {kClsidDmoWrapper, FilterKind::kDmo,
     [](FilterData d, const FilterCatalogue& c, const SpelledGuid&) {
       return DescribeDmoData(d, c);
     }},
    {kClsidProxy, FilterKind::kPnp, DescribeDeviceData},
    {kClsidAcmWrapper, FilterKind::kAcm,
     [](FilterData d, const FilterCatalogue&, const SpelledGuid&) { return DescribeAcmData(d); }},
    {kClsidAviCompressor, FilterKind::kAvi,
     [](FilterData d, const FilterCatalogue&, const SpelledGuid&) {
       return DescribeAviEncoderData(d);
     }},
};

// Renderers by their fixed names, other filters by their first catalogue entry.
std::optional<std::string> RegisteredName(const Guid& clsid, const FilterCatalogue& catalogue) {
  if (const auto renderer = FixedRendererName(clsid)) return std::string(*renderer);
  const auto known = std::find_if(catalogue.KnownFilters.begin(), catalogue.KnownFilters.end(),
                                  [&](const TfilterItem& f) { return f.CLSID == clsid; });
  if (known == catalogue.KnownFilters.end()) return std::nullopt;
  return known->Name;
}

std::optional<std::string> UnlessEmpty(std::string text) {
  if (text.empty()) return std::nullopt;
  return text;
}

SpelledGuid Clsid(const FilterModel& filter, const FilterSpelling& spelling) {
  return {*filter.clsid, spelling.clsid};
}

// The optional "SOURCE  "path"  " clause as the line shows it.
std::string ClauseText(const std::optional<FileClause>& clause) {
  return clause ? clause->keyword + "  \"" + clause->path + "\"  " : std::string();
}

// Kind, registered name, description and wraps.
void DeriveWhatItIs(FilterModel& filter, const FilterSpelling& spelling,
              const FilterCatalogue& catalogue) {
  const auto data_filter = std::ranges::find(kDataFilters, *filter.clsid, &DataFilter::clsid);
  if (data_filter == std::end(kDataFilters)) {
    filter.kind = FilterKind::kDirectShow;
    filter.registered_name = RegisteredName(*filter.clsid, catalogue);
    filter.description = UnlessEmpty(FilterDataNote(filter.data));
    filter.wraps = {};
    return;
  }
  DataDescription description =
      data_filter->describe(filter.data, catalogue, Clsid(filter, spelling));
  filter.kind = data_filter->kind;
  filter.registered_name = std::move(description.registered_name);
  filter.description = UnlessEmpty(std::move(description.text));
  filter.wraps = std::move(description.wraps);
}

template <typename Item>
bool Lists(const std::vector<Item>& items, const Guid& clsid) {
  return std::any_of(items.begin(), items.end(), [&](const Item& i) { return i.CLSID == clsid; });
}

// What a filter needs to load: a DMO wrapper its DMO, a device proxy a device that matches
// its stored path (the device describer names it then), any other filter its own class, which
// the machine can create whether a category lists it or not.
bool Registered(const FilterModel& filter, const FilterCatalogue& catalogue) {
  switch (filter.kind) {
    case FilterKind::kDmo:
      return filter.wraps.dmo_clsid && (Lists(catalogue.KnownDmos, *filter.wraps.dmo_clsid) ||
                                        ClassRegistered(catalogue, *filter.wraps.dmo_clsid));
    case FilterKind::kPnp:
      return filter.registered_name.has_value();
    default:
      return ClassRegistered(catalogue, *filter.clsid);
  }
}

}  // namespace

FilterKind FilterKindOf(const Guid& clsid) {
  const auto found = std::ranges::find(kDataFilters, clsid, &DataFilter::clsid);
  return found != std::end(kDataFilters) ? found->kind : FilterKind::kDirectShow;
}

void DeriveFilter(FilterModel& filter, const FilterSpelling& spelling,
                    const FilterCatalogue& catalogue) {
  DeriveWhatItIs(filter, spelling, catalogue);
  filter.registered = catalogue.Known ? std::optional<bool>(Registered(filter, catalogue))
                                      : std::nullopt;
}

// A wrapper's line tells what it wraps where another's tells its class.
FilterLine DescribeFilter(const FilterModel& filter, const FilterSpelling& spelling) {
  FilterLine line{filter.id + "  \"" + filter.name + "\"  ", KindRow(filter.kind).color};
  if (filter.kind != FilterKind::kDirectShow) {
    line.text += ClauseText(filter.file) + ": " + filter.description.value_or("");
    return line;
  }
  if (filter.registered_name) (line.text += ": ") += *filter.registered_name + " ";
  line.text += Clsid(filter, spelling).Text() + "  " + ClauseText(filter.file) +
               filter.description.value_or("");
  return line;
}

}  // namespace mivalto

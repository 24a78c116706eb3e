// What the data block of a wrapper filter says it wraps (which DMO, device, wave format or
// codec), in words and as facts, from the block's bytes as the graph model keeps them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "catalogue/catalogue.h"
#include "model/graph_model.h"
#include "scan/graph_scanner.h"

namespace mivalto {

using FilterData = std::span<const std::uint8_t>;

// What a data filter's block says, in words and as facts, and the catalogue's name of what it
// found, if any.
struct DataDescription {
  std::string text;
  std::optional<std::string> registered_name;
  WrappedFacts wraps;
};

// "<n octets de données binaires >" for a block of n bytes, nothing for an empty one.
std::string FilterDataNote(FilterData data);
// "Name {CLSID} cat= Label" of the wrapped DMO, with a note for bytes beyond its two GUIDs.
DataDescription DescribeDmoData(FilterData data, const FilterCatalogue& catalogue);
// The wave format named by the ACM wrapper's block; "Inconnu" when the block is too short.
DataDescription DescribeAcmData(FilterData data);
// The codec's four-character code in the AVI compressor's block; "Inconnu" when too short.
DataDescription DescribeAviEncoderData(FilterData data);
// "Name path" of the catalogue's device whose display name matches the stored device path
// (its name is the registered one), else "Proxy " and the CLSID's text as spelled; then the
// note on the block's size.
DataDescription DescribeDeviceData(FilterData data, const FilterCatalogue& catalogue,
                                   const SpelledGuid& clsid);

// Device paths "prefix#hardware id#instance id#interface": equal but for the instance id.
bool DevicePathMatch(std::string_view a, std::string_view b);

}  // namespace mivalto

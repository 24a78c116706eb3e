#include "analysis/filter_data.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "base/guid.h"
#include "base/le_bytes.h"
#include "base/program_texts.h"
#include "base/text_encoding.h"
#include "mediatype/names.h"

namespace mivalto {
namespace {

struct DmoCategory {
  Guid guid;
  std::string_view label;
};

constexpr DmoCategory kDmoCategories[] = {
    {"{57F2DB8B-E6BB-4513-9D43-DCD2A6593125}"_guid, "Audio Decoder"},
    {"{F3602B3F-0592-48DF-A4CD-674721E7EBEB}"_guid, "Audio Effect"},
    {"{33D9A761-90C8-11D0-BD43-00A0C911CE86}"_guid, "Audio Encoder"},
    {"{4A69B442-28BE-4991-969C-B500ADF5D8A8}"_guid, "Video Decoder"},
    {"{D990EE14-776C-4723-BE46-3DA2F56F10B9}"_guid, "Video Effect"},
    {"{33D9A760-90C8-11D0-BD43-00A0C911CE86}"_guid, "Video Encoder"},
    {"{F665AABA-3E09-4920-AA5F-219811148F09}"_guid, "Audio Capture Effect"},
};

constexpr std::size_t kDmoGuidsSize = 32;
constexpr std::size_t kAcmTagEnd = 30;
constexpr std::size_t kAviCodeEnd = 32;
constexpr std::size_t kDevicePathStart = 28;
constexpr std::size_t kDeviceBlockTail = 6;
// Device paths are short: only the head of a longer block is read as one.
constexpr std::size_t kMaxDevicePathEnd = 64 * 1024;

std::string DmoCategoryLabel(const Guid& category) {
  const auto* found = std::find_if(std::begin(kDmoCategories), std::end(kDmoCategories),
                                   [&](const DmoCategory& c) { return c.guid == category; });
  return found != std::end(kDmoCategories) ? std::string(found->label) : GuidText(category);
}

std::string DmoName(const FilterCatalogue& catalogue, const Guid& clsid) {
  const auto found = std::find_if(catalogue.KnownDmos.begin(), catalogue.KnownDmos.end(),
                                  [&](const TDMOItem& d) { return d.CLSID == clsid; });
  return found != catalogue.KnownDmos.end() ? found->Name + " " : std::string();
}

std::string DevicePath(FilterData data) {
  if (data.size() < kDevicePathStart + kDeviceBlockTail + 2) return {};
  const std::size_t end = std::min<std::size_t>(data.size() - kDeviceBlockTail, kMaxDevicePathEnd);
  std::string path;
  Utf16Decoder decoder(path);
  for (std::size_t at = kDevicePathStart; at + 2 <= end; at += 2) decoder.Push(LeU16(data, at));
  decoder.Finish();
  return path;
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

std::string FilterDataNote(FilterData data) {
  return !data.empty() ? texts::BinaryBytesNote(data.size()) : std::string();
}

DataDescription DescribeDmoData(FilterData data, const FilterCatalogue& catalogue) {
  DataDescription description;
  if (data.size() < kDmoGuidsSize) return description;
  const auto guids = data.first<kDmoGuidsSize>();
  const Guid clsid = GuidFromBytes(guids.first<16>());
  const Guid category = GuidFromBytes(guids.last<16>());
  description.text =
      DmoName(catalogue, clsid) + GuidText(clsid) + " cat= " + DmoCategoryLabel(category);
  if (data.size() > kDmoGuidsSize) {
    description.text += " " + texts::BinaryBytesNote(data.size() - kDmoGuidsSize);
  }
  description.wraps.dmo_clsid = clsid;
  description.wraps.dmo_category = category;
  return description;
}

DataDescription DescribeAcmData(FilterData data) {
  DataDescription description{"ACM Wrapper = " + std::string(texts::kUnknown), std::nullopt, {}};
  if (data.size() < kAcmTagEnd) return description;
  const std::uint16_t tag = LeU16(data, kAcmTagEnd - 2);
  description.text = "ACM Wrapper = " + std::string(WaveFormatTagName(tag));
  description.wraps.wave_format_tag = tag;
  return description;
}

DataDescription DescribeAviEncoderData(FilterData data) {
  DataDescription description{"AVI Encoder = " + std::string(texts::kUnknown), std::nullopt, {}};
  if (data.size() < kAviCodeEnd) return description;
  std::string code;
  for (std::size_t at = kAviCodeEnd - 4; at < kAviCodeEnd; ++at) AppendCodePoint(code, data[at]);
  description.text = "AVI Encoder = " + code;
  description.wraps.fourcc = std::move(code);
  return description;
}

DataDescription DescribeDeviceData(FilterData data, const FilterCatalogue& catalogue,
                                   const SpelledGuid& clsid) {
  const std::string path = DevicePath(data);
  const auto match = std::find_if(
      catalogue.KnownFilters.begin(), catalogue.KnownFilters.end(), [&](const TfilterItem& f) {
        return !f.DisplayName.empty() && DevicePathMatch(path, f.DisplayName);
      });
  DataDescription description;
  if (!path.empty()) description.wraps.device = path;
  if (match != catalogue.KnownFilters.end()) {
    description.text = match->Name + " " + path;
    description.registered_name = match->Name;
  } else {
    description.text = "Proxy " + clsid.Text();
  }
  if (!data.empty()) description.text += " " + texts::BinaryBytesNote(data.size());
  return description;
}

}  // namespace mivalto

#include "analysis/filter_data.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "analysis/filter_section.h"
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

std::string DevicePath(const FilterDataBlock& block) {
  if (block.size < kDevicePathStart + kDeviceBlockTail + 2) return {};
  const std::size_t end = std::min<std::size_t>(block.size - kDeviceBlockTail, kMaxDevicePathEnd);
  std::string path;
  Utf16Decoder decoder(path);
  for (std::size_t at = kDevicePathStart; at + 2 <= end; at += 2) decoder.Push(LeU16(block.bytes, at));
  decoder.Finish();
  return path;
}

}  // namespace

FilterDataBlock ReadFilterDataBlock(GraphScanner& scanner) {
  FilterDataBlock block;
  block.size = scanner.ReadFilterBlockCount();
  block.bytes.resize(block.size);  // the count is checked against the file already
  scanner.ReadBlockBytes(block.bytes);
  scanner.SkipBlockRest();
  return block;
}

std::string FilterDataNote(const FilterDataBlock& block) {
  return block.size != 0 ? texts::BinaryBytesNote(block.size) : std::string();
}

DataDescription DescribeDmoData(const FilterDataBlock& block, const FilterCatalogue& catalogue) {
  DataDescription description;
  if (block.size < kDmoGuidsSize) return description;
  const auto guids = std::span(block.bytes).first<kDmoGuidsSize>();
  const Guid clsid = GuidFromBytes(guids.first<16>());
  const Guid category = GuidFromBytes(guids.last<16>());
  description.text =
      DmoName(catalogue, clsid) + GuidText(clsid) + " cat= " + DmoCategoryLabel(category);
  if (block.size > kDmoGuidsSize) {
    description.text += " " + texts::BinaryBytesNote(block.size - kDmoGuidsSize);
  }
  description.wraps.dmo_clsid = clsid;
  description.wraps.dmo_category = category;
  return description;
}

DataDescription DescribeAcmData(const FilterDataBlock& block) {
  DataDescription description{"ACM Wrapper = " + std::string(texts::kUnknown), std::nullopt, {}};
  if (block.size < kAcmTagEnd) return description;
  const std::uint16_t tag = LeU16(block.bytes, kAcmTagEnd - 2);
  description.text = "ACM Wrapper = " + std::string(WaveFormatTagName(tag));
  description.wraps.wave_format_tag = tag;
  return description;
}

DataDescription DescribeAviEncoderData(const FilterDataBlock& block) {
  DataDescription description{"AVI Encoder = " + std::string(texts::kUnknown), std::nullopt, {}};
  if (block.size < kAviCodeEnd) return description;
  std::string code;
  for (std::size_t at = kAviCodeEnd - 4; at < kAviCodeEnd; ++at) AppendCodePoint(code, block.bytes[at]);
  description.text = "AVI Encoder = " + code;
  description.wraps.fourcc = std::move(code);
  return description;
}

DataDescription DescribeDeviceData(const FilterDataBlock& block, const FilterCatalogue& catalogue,
                                   const std::string& guid_text) {
  const std::string path = DevicePath(block);
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
    description.text = "Proxy " + guid_text;
  }
  if (block.size != 0) description.text += " " + texts::BinaryBytesNote(block.size);
  return description;
}

}  // namespace mivalto

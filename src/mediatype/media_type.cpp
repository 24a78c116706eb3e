#include "mediatype/media_type.h"

#include <algorithm>

#include "mediatype/major_type_table.h"

namespace mivalto {
namespace {

// Unknown format types show no GUID text, and their block only by its size.
constexpr FormatType kUnknownFormat{{}, "Unknown Format"};

// VIDEOINFOHEADER2's, the most of any record: one allocation per format block.
constexpr std::size_t kMostFields = 22;

bool HoldsRecord(const FormatType& type, std::int32_t size) {
  return type.record_size != 0 && size >= static_cast<std::int32_t>(type.record_size);
}

}  // namespace

std::string MajorTypeName(const Guid& major_type, std::string_view spelling) {
  if (const auto name = FindName(kMajorTypeTable, major_type)) return std::string(*name);
  return spelling.empty() ? GuidText(major_type) : std::string(spelling);
}

const FormatType& FindFormatType(const Guid& format_type) {
  const auto row = std::ranges::find(kFormatTypeTable, format_type, &FormatType::value);
  return row == std::end(kFormatTypeTable) ? kUnknownFormat : *row;
}

DecodedFields FormatFields(const FormatType& type, std::int32_t size,
                           std::span<const std::uint8_t> bytes) {
  DecodedFields fields;
  if (!HoldsRecord(type, size)) return fields;
  fields.reserve(kMostFields);
  type.decoder(bytes.first(type.record_size), fields);
  return fields;
}

std::size_t FormatBytesUnshown(const FormatType& type, std::int32_t size) {
  if (size <= 0) return 0;
  const auto block = static_cast<std::size_t>(size);
  return HoldsRecord(type, size) ? block - type.record_size : block;
}

std::size_t FormatBytesLeftForLineEnd(const Guid& format_type, std::int32_t size) {
  const std::size_t unshown = FormatBytesUnshown(FindFormatType(format_type), size);
  return unshown <= 2 ? unshown : 0;
}

}  // namespace mivalto

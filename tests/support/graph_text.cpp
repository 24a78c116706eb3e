#include "support/graph_text.h"

#include <cstdio>
#include <stdexcept>

namespace mivalto::testing {

std::string TenDigits(std::uint64_t value) {
  if (value > 9'999'999'999ULL) throw std::invalid_argument("more than ten digits");
  char text[16];
  std::snprintf(text, sizeof text, "%010llu", static_cast<unsigned long long>(value));
  return text;
}

GraphText& GraphText::Text(std::string_view utf8) { return Units(Utf16Units(utf8)); }

GraphText& GraphText::Line(std::string_view utf8) { return Text(utf8).Text("\r\n"); }

GraphText& GraphText::Units(std::initializer_list<std::uint16_t> units) {
  return Units(std::span<const std::uint16_t>(units.begin(), units.size()));
}

GraphText& GraphText::Units(std::span<const std::uint16_t> units) {
  for (std::uint16_t unit : units) {
    bytes_.push_back(static_cast<std::uint8_t>(unit));
    bytes_.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return *this;
}

GraphText& GraphText::Raw(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

GraphText& GraphText::Block(std::span<const std::uint8_t> bytes) {
  return Block(bytes, TenDigits(bytes.size()));
}

GraphText& GraphText::Block(std::span<const std::uint8_t> bytes, std::string_view count_text) {
  return Text(count_text).Text(" ").Raw(bytes);
}

GraphText& GraphText::Quoted(std::string_view utf8) {
  return Text("\"").Text(utf8).Text("\"");
}

GraphText& GraphText::Filter(const FilterEntry& entry) {
  Text(entry.number).Text(" ").Quoted(entry.name).Text(" ").Text(entry.clsid).Text(" ");
  if (entry.clause) Text(entry.clause->word).Text(" ").Quoted(entry.clause->text).Text(" ");
  return Block(entry.data, entry.data_count.value_or(TenDigits(entry.data.size())))
      .Text("\r\n");
}

GraphText& GraphText::Media(const MediaTypeEntry& media) {
  Text(media.major_type).Text(" ").Text(media.subtype).Text(" ");
  Text(media.fixed_size_samples).Text(" ").Text(media.temporal_compression).Text(" ");
  Text(media.sample_size);
  Units({media.separator == FormatTypeSeparator::kNul ? std::uint16_t{0} : std::uint16_t{' '}});
  Text(media.format_type).Text(" ");
  Block(media.format, media.format_count.value_or(TenDigits(media.format.size())));
  if (media.nul_after_format) Units({0});
  return *this;
}

GraphText& GraphText::Connection(const ConnectionEntry& entry) {
  GraphText media;
  media.Media(entry.media);
  Text(entry.from).Text(" ").Quoted(entry.from_pin).Text(" ");
  Text(entry.to).Text(" ").Quoted(entry.to_pin).Text(" ");
  Text(entry.length_field.value_or(TenDigits(media.Size()))).Text(" ");
  return Raw(media.Bytes()).Text("\r\n");
}

GraphText& GraphText::Clock(std::string_view reference, std::string_view flag) {
  return Text("CLOCK ").Text(flag).Text(" ").Line(reference);
}

GraphText& GraphText::End() { return Text("END"); }

}  // namespace mivalto::testing

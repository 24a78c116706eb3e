#include "support/graph_text.h"

namespace mivalto::testing {
namespace {

std::string CountOf(std::span<const std::uint8_t> bytes) {
  return TenDigits(static_cast<std::uint32_t>(bytes.size()));
}

}  // namespace

GraphText& GraphText::Text(std::string_view utf8) {
  text_.Text(utf8);
  return *this;
}

GraphText& GraphText::Line(std::string_view utf8) {
  text_.Line(utf8);
  return *this;
}

GraphText& GraphText::Units(std::initializer_list<std::uint16_t> units) {
  return Units(std::span<const std::uint16_t>(units.begin(), units.size()));
}

GraphText& GraphText::Units(std::span<const std::uint16_t> units) {
  text_.Units(units);
  return *this;
}

GraphText& GraphText::Raw(std::span<const std::uint8_t> bytes) {
  text_.Raw(bytes);
  return *this;
}

GraphText& GraphText::Block(std::span<const std::uint8_t> bytes) {
  return Block(bytes, CountOf(bytes));
}

GraphText& GraphText::Block(std::span<const std::uint8_t> bytes, std::string_view count_text) {
  text_.Block(bytes, count_text);
  return *this;
}

GraphText& GraphText::Quoted(std::string_view utf8) {
  text_.Quoted(utf8);
  return *this;
}

GraphText& GraphText::Filter(const FilterEntry& entry) {
  Text(entry.number).Text(" ").Quoted(entry.name).Text(" ").Text(entry.clsid).Text(" ");
  if (entry.clause) Text(entry.clause->word).Text(" ").Quoted(entry.clause->text).Text(" ");
  return Block(entry.data, entry.data_count.value_or(CountOf(entry.data)))
      .Text("\r\n");
}

GraphText& GraphText::Media(const MediaTypeEntry& media) {
  Text(media.major_type).Text(" ").Text(media.subtype).Text(" ");
  Text(media.fixed_size_samples).Text(" ").Text(media.temporal_compression).Text(" ");
  Text(media.sample_size);
  Units({media.separator == FormatTypeSeparator::kNul ? std::uint16_t{0} : std::uint16_t{' '}});
  Text(media.format_type).Text(" ");
  Block(media.format, media.format_count.value_or(CountOf(media.format)));
  if (media.nul_after_format) Units({0});
  return *this;
}

GraphText& GraphText::Connection(const ConnectionEntry& entry) {
  GraphText media;
  media.Media(entry.media);
  Text(entry.from).Text(" ").Quoted(entry.from_pin).Text(" ");
  Text(entry.to).Text(" ").Quoted(entry.to_pin).Text(" ");
  Text(entry.length_field.value_or(TenDigits(static_cast<std::uint32_t>(media.Size())))).Text(" ");
  return Raw(media.Bytes()).Text("\r\n");
}

GraphText& GraphText::Clock(std::string_view reference, std::string_view flag) {
  return Text("CLOCK ").Text(flag).Text(" ").Line(reference);
}

GraphText& GraphText::End() { return Text("END"); }

}  // namespace mivalto::testing

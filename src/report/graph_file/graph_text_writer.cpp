#include "report/graph_file/graph_text_writer.h"

#include <cstdio>

#include "base/le_bytes.h"
#include "base/text_encoding.h"

namespace mivalto {

std::string TenDigits(std::uint32_t value) {
  char text[11];
  std::snprintf(text, sizeof text, "%010u", static_cast<unsigned>(value));
  return text;
}

GraphTextWriter& GraphTextWriter::Text(std::string_view utf8) {
  for (const char16_t unit : Utf16FromUtf8(utf8)) AppendLeU16(bytes_, unit);
  return *this;
}

GraphTextWriter& GraphTextWriter::Line(std::string_view utf8) { return Text(utf8).Text("\r\n"); }

GraphTextWriter& GraphTextWriter::Quoted(std::string_view utf8) {
  return Text("\"").Text(utf8).Text("\"");
}

GraphTextWriter& GraphTextWriter::Units(std::span<const std::uint16_t> units) {
  for (const std::uint16_t unit : units) AppendLeU16(bytes_, unit);
  return *this;
}

GraphTextWriter& GraphTextWriter::Raw(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

GraphTextWriter& GraphTextWriter::Block(std::span<const std::uint8_t> bytes,
                                        std::string_view count_text) {
  return Text(count_text).Text(" ").Raw(bytes);
}

}  // namespace mivalto

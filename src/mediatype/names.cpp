#include "mediatype/names.h"

#include "base/program_texts.h"
#include "base/text_encoding.h"
#include "mediatype/wave_format_tag_table.h"

namespace mivalto {

std::string WaveFormatTagName(std::uint16_t tag) {
  return std::string(FindName(kWaveFormatTagTable, tag).value_or(texts::kUnknown));
}

std::string FourCCText(std::uint32_t code) {
  std::string text;
  for (int shift = 0; shift < 32; shift += 8) {
    const auto byte = static_cast<std::uint8_t>(code >> shift);
    if (byte < 32) return {};
    AppendCodePoint(text, byte);
  }
  return text;
}

}  // namespace mivalto

#include "mediatype/format_block.h"

#include "base/program_texts.h"

namespace mivalto {

FormatBlockStart ReadFormatBlock(GraphScanner& scanner, std::span<std::uint8_t> record) {
  const std::int32_t count = scanner.ReadFormatBlockCount();
  const auto size = static_cast<std::int32_t>(record.size());
  if (record.empty() || count < size) return {false, count};
  // The separator's NextChar already holds the first two data bytes: go back to them.
  scanner.StepBack();
  scanner.ReadBytes(record);
  scanner.NextChar();
  return {true, count - size};
}

std::string SkipFormatBlockRest(GraphScanner& scanner, std::int32_t remaining) {
  if (remaining <= 2) return {};
  // The two bytes in CurrentChar belong to the remaining ones.
  scanner.SeekForward(static_cast<std::uint64_t>(remaining) - 2);
  scanner.NextChar();
  return texts::BinaryBytesNote(remaining);
}

}  // namespace mivalto

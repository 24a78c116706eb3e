#include "mediatype/format_block.h"

#include "base/program_texts.h"

namespace mivalto {

FormatBlockStart ReadFormatBlock(GraphScanner& scanner, std::size_t record_size) {
  FormatBlockStart block;
  block.size = scanner.ReadFormatBlockCount();
  block.remaining = block.size;
  if (block.size > 0) {
    block.bytes.resize(static_cast<std::size_t>(block.size));
    scanner.PeekBlockBytes(block.bytes);
  }
  const auto size = static_cast<std::int32_t>(record_size);
  if (record_size == 0 || block.size < size) return block;
  // The separator's NextChar already holds the first two data bytes: go back to them.
  scanner.StepBack();
  scanner.SeekForward(record_size);
  scanner.NextChar();
  block.record_read = true;
  block.remaining = block.size - size;
  return block;
}

std::string SkipFormatBlockRest(GraphScanner& scanner, std::int32_t remaining) {
  if (remaining <= 2) return {};
  // The two bytes in CurrentChar belong to the remaining ones.
  scanner.SeekForward(static_cast<std::uint64_t>(remaining) - 2);
  scanner.NextChar();
  return texts::BinaryBytesNote(remaining);
}

}  // namespace mivalto

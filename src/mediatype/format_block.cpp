#include "mediatype/format_block.h"

#include "base/program_texts.h"

namespace mivalto {

FormatBlockStart ReadFormatBlock(GraphScanner& scanner, std::size_t record_size) {
  FormatBlockStart block;
  block.size = scanner.ReadFormatBlockCount();
  if (block.size > 0) {
    block.bytes.resize(static_cast<std::size_t>(block.size));
    scanner.PeekBlockBytes(block.bytes);
  }
  if (record_size == 0 || block.size < static_cast<std::int32_t>(record_size)) return block;
  scanner.PassBlockBytes(record_size);
  block.record_read = true;
  return block;
}

std::string SkipFormatBlockRest(GraphScanner& scanner) {
  const std::uint64_t passed = scanner.SkipBlockRestBeforeLineRest();
  return passed != 0 ? texts::BinaryBytesNote(static_cast<long long>(passed)) : std::string();
}

}  // namespace mivalto

#include "mediatype/format_block.h"

namespace mivalto {

FormatBlock ReadFormatBlock(GraphScanner& scanner, const FormatType& type) {
  FormatBlock block;
  block.size = scanner.ReadFormatBlockCount();
  if (block.size > 0) {
    block.bytes.resize(static_cast<std::size_t>(block.size));
    scanner.PeekBlockBytes(block.bytes);
  }
  if (type.record_size != 0 && block.size >= static_cast<std::int32_t>(type.record_size)) {
    scanner.PassBlockBytes(type.record_size);
  }
  scanner.SkipBlockRestBeforeLineRest();
  return block;
}

}  // namespace mivalto

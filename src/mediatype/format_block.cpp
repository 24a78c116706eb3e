#include "mediatype/format_block.h"

#include "base/program_texts.h"

namespace mivalto {

bool ReadFormatBlock(GraphScanner& scanner, std::span<std::uint8_t> record) {
  const std::int32_t count = scanner.ReadFormatBlockCount();
  if (record.empty() || count < static_cast<std::int32_t>(record.size())) return false;
  scanner.ReadBlockBytes(record);
  return true;
}

std::string SkipFormatBlockRest(GraphScanner& scanner) {
  const std::uint64_t passed = scanner.SkipBlockRestBeforeLineRest();
  return passed != 0 ? texts::BinaryBytesNote(static_cast<long long>(passed)) : std::string();
}

}  // namespace mivalto

#include "base/guid.h"

#include <cstdio>

#include "base/le_bytes.h"
#include "base/program_texts.h"
#include "base/read_failure.h"

namespace mivalto {

std::string GuidText(const Guid& g) {
  char text[39];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                g.data1, g.data2, g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3],
                g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
  return text;
}

Guid GuidFromBytes(std::span<const std::uint8_t, 16> bytes) {
  Guid g;
  g.data1 = LeU32(bytes, 0);
  g.data2 = LeU16(bytes, 4);
  g.data3 = LeU16(bytes, 6);
  for (std::size_t i = 0; i < 8; ++i) g.data4[i] = bytes[8 + i];
  return g;
}

Guid ParseGuidOrFail(std::string_view text) {
  const std::optional<Guid> g = ParseGuid(text);
  if (!g) throw ReadFailure(texts::InvalidGuidText(text));
  return *g;
}

}  // namespace mivalto

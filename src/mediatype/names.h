// Naming of the two numeric codes that media types carry: wave format tags (audio) and
// four-character codes (video compression), shared by the media type lines and the filter
// section.
#pragma once

#include <cstdint>
#include <string>

namespace mivalto {

// The tag's name, or "Inconnu" for a tag that has none. Callers holding a wider number pass
// its low 16 bits.
std::string WaveFormatTagName(std::uint16_t tag);

// The four bytes as four characters, least significant first (0x32595559 is "YUY2"); bytes
// 128-255 are the characters U+0080..U+00FF. Empty when any byte is below 32, as for the
// plain numbers (0, 1, 2...) that stand for uncompressed formats.
std::string FourCCText(std::uint32_t code);

}  // namespace mivalto

// Data blocks of the filter kinds whose stored data the analysis decodes, laid out as real
// graph files have them. Only the block's bytes: GraphText::Filter adds the count.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "support/byte_writer.h"

namespace mivalto::testing {

// How many bytes come before a filter's own data in the blocks below: a twelve-unit head
// ("00000000000 ") and the 32-bit size of what follows it.
inline constexpr std::size_t kFilterDataHeadSize = 28;

// The head, then the payload; `head` is twelve characters.
ByteVector HeadedFilterData(std::span<const std::uint8_t> payload,
                            std::string_view head = "00000000000 ");

// DMO wrapper: the DMO's CLSID, its category (16 bytes each), then `extra` bytes.
ByteVector DmoWrapperData(std::string_view dmo_clsid, std::string_view category,
                          std::span<const std::uint8_t> extra = {});

// Kernel-streaming proxy: the head, the device path in UTF-16 from byte 28, its NUL and 4
// more bytes; 34 + 2 × (units of the path) bytes in all.
ByteVector DeviceData(std::string_view device_path);

// ACM wrapper: the head, then a wave format whose tag lies at bytes 28-29 (46 bytes).
ByteVector AcmWrapperData(std::uint16_t wave_tag);

// AVI compressor: the head, then the codec's FourCC at bytes 28-31 and 8 zero bytes.
ByteVector AviCompressorData(std::string_view fourcc);

}  // namespace mivalto::testing

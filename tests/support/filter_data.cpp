#include "support/filter_data.h"

#include <stdexcept>

namespace mivalto::testing {

ByteVector HeadedFilterData(std::span<const std::uint8_t> payload, std::string_view head) {
  if (head.size() != 12) throw std::invalid_argument("the head has twelve characters");
  return ByteWriter()
      .Utf16(head)
      .U32(static_cast<std::uint32_t>(payload.size()))
      .Bytes(payload)
      .Result();
}

ByteVector DmoWrapperData(std::string_view dmo_clsid, std::string_view category,
                          std::span<const std::uint8_t> extra) {
  return ByteWriter().Guid(dmo_clsid).Guid(category).Bytes(extra).Result();
}

ByteVector DeviceData(std::string_view device_path) {
  ByteWriter path;
  path.Utf16(device_path).U16(0);
  // The size field counts the path with its NUL; the 4 bytes after it are not counted.
  return ByteWriter()
      .Utf16("00000000001 ")
      .U32(static_cast<std::uint32_t>(path.Size()))
      .Bytes(path.Result())
      .U32(0)
      .Result();
}

ByteVector AcmWrapperData(std::uint16_t wave_tag) {
  const ByteVector wave_format = ByteWriter()
                                     .U16(wave_tag)
                                     .U16(2)        // channels
                                     .U32(44100)    // samples per second
                                     .U32(16000)    // average bytes per second
                                     .U16(1)        // block align
                                     .U16(0)        // bits per sample
                                     .U16(0)        // extra bytes
                                     .Result();
  return HeadedFilterData(wave_format);
}

ByteVector AviCompressorData(std::string_view fourcc) {
  return HeadedFilterData(ByteWriter().FourCC(fourcc).Fill(8).Result());
}

}  // namespace mivalto::testing

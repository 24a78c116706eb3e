// The about panel's picture: a JPEG resource decoded with libjpeg into a bitmap that GDI can
// stretch.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include <windows.h>

#include "ui/win_handles.h"

namespace mivalto::ui {

struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgr_rows;  // top-down rows of blue, green, red, each padded to 4 bytes
};

// False when the bytes are not a JPEG that libjpeg can read, or the picture is too large.
bool DecodeJpeg(std::span<const std::uint8_t> bytes, DecodedPicture& picture);

// A bitmap of the picture; null when it can't be made.
UniqueBitmap PictureBitmap(const DecodedPicture& picture);

// The version of the libjpeg-turbo the program decodes with, such as "2.1.5".
const char* JpegLibraryVersion();

// The bytes of a resource of this program; empty when it is missing.
std::span<const std::uint8_t> ResourceBytes(UINT id, const wchar_t* type);

}  // namespace mivalto::ui

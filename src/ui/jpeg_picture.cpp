#include "ui/jpeg_picture.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace mivalto::ui {
namespace {

// Far beyond any picture the program ships; a damaged header can't ask for gigabytes.
constexpr JDIMENSION kMaxSide = 8192;

// libjpeg's default error handler ends the process; this one jumps back to the decoder.
struct JumpingErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
};

void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JumpingErrorManager*>(info->err)->escape, 1);
}

void IgnoreMessage(j_common_ptr) {}

std::size_t RowStride(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

// No C++ object with a destructor lives in this frame, so a longjmp out of libjpeg skips none.
bool DecodeWithJumps(jpeg_decompress_struct& info, std::span<const std::uint8_t> bytes,
                     DecodedPicture& picture) {
  JumpingErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpBack;
  errors.base.output_message = IgnoreMessage;
  if (setjmp(errors.escape)) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (info.image_width > kMaxSide || info.image_height > kMaxSide) return false;
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  picture.bgr_rows.assign(RowStride(picture.width) * info.output_height, 0);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture.bgr_rows.data() + RowStride(picture.width) * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

bool DecodeJpeg(std::span<const std::uint8_t> bytes, DecodedPicture& picture) {
  if (bytes.empty()) return false;
  jpeg_decompress_struct info{};
  const bool decoded = DecodeWithJumps(info, bytes, picture);
  jpeg_destroy_decompress(&info);
  return decoded;
}

UniqueBitmap PictureBitmap(const DecodedPicture& picture) {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = picture.width;
  format.bmiHeader.biHeight = -picture.height;  // top-down, as libjpeg gives the rows
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 24;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap) std::memcpy(bits, picture.bgr_rows.data(), picture.bgr_rows.size());
  return bitmap;
}

#define MIVALTO_TEXT_OF(x) #x
#define MIVALTO_VERSION_TEXT(x) MIVALTO_TEXT_OF(x)

const char* JpegLibraryVersion() { return MIVALTO_VERSION_TEXT(LIBJPEG_TURBO_VERSION); }

std::span<const std::uint8_t> ResourceBytes(UINT id, const wchar_t* type) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  if (!loaded) return {};
  return {static_cast<const std::uint8_t*>(LockResource(loaded)), SizeofResource(module, found)};
}

}  // namespace mivalto::ui

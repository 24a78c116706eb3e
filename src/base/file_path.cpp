#include "base/file_path.h"

namespace mivalto {

std::filesystem::path PathOfUtf8(std::string_view utf8) {
  return std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
}

std::string Utf8OfPath(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::string FileNameOf(std::string_view utf8_path) {
  return Utf8OfPath(PathOfUtf8(utf8_path).filename());
}

}  // namespace mivalto

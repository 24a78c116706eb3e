#include "scan/byte_source.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/file_path.h"

namespace mivalto {

std::size_t MemorySource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  if (offset >= bytes_.size()) return 0;
  const std::size_t n = std::min<std::uint64_t>(out.size(), bytes_.size() - offset);
  std::memcpy(out.data(), bytes_.data() + offset, n);
  return n;
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& utf8_path) {
  const std::filesystem::path path = PathOfUtf8(utf8_path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return nullptr;
  const std::uint64_t size = std::filesystem::file_size(path, error);
  if (error) return nullptr;
  std::ifstream stream(path, std::ios::binary);
  if (!stream) return nullptr;
  return std::unique_ptr<FileSource>(new FileSource(std::move(stream), size));
}

std::size_t FileSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  if (offset >= size_) return 0;
  const std::size_t n = std::min<std::uint64_t>(out.size(), size_ - offset);
  stream_.clear();
  stream_.seekg(static_cast<std::streamoff>(offset));
  stream_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(n));
  return static_cast<std::size_t>(stream_.gcount());
}

}  // namespace mivalto

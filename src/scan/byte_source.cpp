#include "scan/byte_source.h"

#include <algorithm>
#include <cstring>

#include "base/file_path.h"
#include "platform/file_system.h"

namespace mivalto {

std::size_t MemorySource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  if (offset >= bytes_.size()) return 0;
  const std::size_t n = std::min<std::uint64_t>(out.size(), bytes_.size() - offset);
  std::memcpy(out.data(), bytes_.data() + offset, n);
  return n;
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& utf8_path) {
  const std::optional<std::uint64_t> size = RegularFileSize(utf8_path);
  if (!size) return nullptr;
  std::ifstream stream(PathOfUtf8(utf8_path), std::ios::binary);
  if (!stream) return nullptr;
  return std::unique_ptr<FileSource>(new FileSource(std::move(stream), *size));
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

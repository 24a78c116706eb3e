// Random access to the bytes of a graph file: a file on disk, or bytes in memory (tests,
// fuzzing). The scanner reads through it in large blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace mivalto {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Copies up to out.size() bytes from offset; returns how many (0 at or past the end).
  virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

 private:
  std::span<const std::uint8_t> bytes_;
};

class FileSource final : public ByteSource {
 public:
  // Opens a UTF-8 path for reading; nullptr when it can't be opened as a regular file.
  static std::unique_ptr<FileSource> Open(const std::string& utf8_path);
  std::uint64_t Size() const override { return size_; }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

 private:
  FileSource(std::ifstream stream, std::uint64_t size) : stream_(std::move(stream)), size_(size) {}
  std::ifstream stream_;
  std::uint64_t size_;
};

}  // namespace mivalto

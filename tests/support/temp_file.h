// Graph files on disk for tests that read a path. Files go to one folder per test program
// under the system's temporary folder; the folder and everything in it is removed when the
// program ends.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "support/byte_writer.h"

namespace mivalto::testing {

// This program's temporary folder, created on first use.
const std::filesystem::path& TempFolder();

// Writes the bytes to TempFolder() / utf8_name (non-ASCII names welcome) and returns the
// path; an existing file of that name is replaced. Throws std::runtime_error when it fails.
std::filesystem::path WriteTempFile(std::span<const std::uint8_t> bytes,
                                    std::string_view utf8_name);

// A path as UTF-8, the form the product's file functions take.
std::string Utf8Path(const std::filesystem::path& path);

// A file that lives as long as this object.
class TempFile {
 public:
  TempFile(std::span<const std::uint8_t> bytes, std::string_view utf8_name)
      : path_(WriteTempFile(bytes, utf8_name)) {}
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string Utf8() const { return Utf8Path(path_); }

 private:
  std::filesystem::path path_;
};

}  // namespace mivalto::testing

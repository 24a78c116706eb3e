#include "support/temp_file.h"

#include <chrono>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

namespace mivalto::testing {
namespace {

namespace fs = std::filesystem;

fs::path FromUtf8(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// Test programs may run side by side (ctest -j), so each takes a folder no other has made.
fs::path CreateUniqueFolder() {
  std::mt19937_64 random(std::random_device{}() ^
                         static_cast<std::uint64_t>(
                             std::chrono::steady_clock::now().time_since_epoch().count()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path folder =
        fs::temp_directory_path() / ("mivalto-tests-" + std::to_string(random() % 1000000000));
    if (fs::create_directory(folder)) return folder;
  }
  throw std::runtime_error("cannot create a temporary folder");
}

class Folder {
 public:
  Folder() : path_(CreateUniqueFolder()) {}
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace

const fs::path& TempFolder() {
  static const Folder folder;
  return folder.Path();
}

fs::path WriteTempFile(std::span<const std::uint8_t> bytes, std::string_view utf8_name) {
  const fs::path path = TempFolder() / FromUtf8(utf8_name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + Utf8Path(path));
  return path;
}

std::string Utf8Path(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TempFile::~TempFile() {
  std::error_code ignored;
  fs::remove(path_, ignored);
}

}  // namespace mivalto::testing

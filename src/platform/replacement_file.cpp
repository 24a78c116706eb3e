#include "platform/replacement_file.h"

#include <streambuf>
#include <vector>

#include "platform/file_system_os.h"

namespace mivalto {

// Bytes gathered into large writes to the temporary file; the first failure is kept, and
// every later write is refused.
class ReplacementFile::Buffer final : public std::streambuf {
 public:
  explicit Buffer(const std::string& target)
      : file_(os_file::CreateBeside(target, path_, error_)), bytes_(kSize) {
    setp(bytes_.data(), bytes_.data() + bytes_.size());
  }
  ~Buffer() override {
    if (file_ != os_file::kNoFile) os_file::SyncAndClose(file_);
    if (!path_.empty()) os_file::Remove(path_);
  }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  // Writes what is left, closes the file and moves it over the target.
  FileError Finish(const std::string& target) {
    WritePending();
    if (file_ != os_file::kNoFile) {
      const FileError closed = os_file::SyncAndClose(file_);
      file_ = os_file::kNoFile;
      if (!error_) error_ = closed;
    }
    if (!error_) error_ = os_file::MoveOver(path_, target);
    if (!error_) path_.clear();  // moved: nothing left to remove
    return error_;
  }

 protected:
  int_type overflow(int_type c) override {
    if (!WritePending()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return WritePending() ? 0 : -1; }

 private:
  static constexpr std::size_t kSize = std::size_t{1} << 16;

  bool WritePending() {
    const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
    setp(bytes_.data(), bytes_.data() + bytes_.size());
    if (!error_ && pending > 0) error_ = os_file::WriteAll(file_, bytes_.data(), pending);
    return !error_;
  }

  std::string path_;
  FileError error_;
  os_file::Handle file_;
  std::vector<char> bytes_;
};

ReplacementFile::ReplacementFile(std::string utf8_target)
    : target_(std::move(utf8_target)),
      buffer_(std::make_unique<Buffer>(target_)),
      stream_(buffer_.get()) {}

ReplacementFile::~ReplacementFile() = default;

std::ostream& ReplacementFile::Stream() { return stream_; }

FileError ReplacementFile::Commit() {
  if (committed_) return {};
  const FileError error = buffer_->Finish(target_);
  committed_ = !error;
  return error;
}

}  // namespace mivalto

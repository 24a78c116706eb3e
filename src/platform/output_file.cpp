#include "platform/output_file.h"

#include <streambuf>
#include <vector>

#include "platform/file_system_os.h"

namespace mivalto {

// Bytes gathered into large writes to the temporary file, or to the target itself when it is
// written in place; the first failure is kept, and every later write is refused.
class OutputFile::Buffer final : public std::streambuf {
 public:
  explicit Buffer(const std::string& target)
      : destination_(os_file::DestinationOf(target, error_)), bytes_(kSize) {
    if (!error_) file_ = Open();
    setp(bytes_.data(), bytes_.data() + bytes_.size());
  }
  ~Buffer() override {
    if (file_ != os_file::kNoFile) os_file::Close(file_);
    if (!temporary_path_.empty()) os_file::Remove(temporary_path_);
  }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  // Writes what is left, closes the file and, unless written in place, moves it over the
  // target.
  FileError Finish() {
    WritePending();
    if (file_ != os_file::kNoFile) {
      const FileError closed = InPlace() ? os_file::Close(file_) : os_file::SyncAndClose(file_);
      file_ = os_file::kNoFile;
      if (!error_) error_ = closed;
    }
    if (!error_ && !InPlace()) error_ = os_file::MoveOver(temporary_path_, destination_.path);
    if (!error_) temporary_path_.clear();  // moved: nothing left to remove
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

  bool InPlace() const { return destination_.delivery == os_file::Delivery::kInPlace; }

  os_file::Handle Open() {
    if (InPlace()) return os_file::OpenInPlace(destination_.path, error_);
    return os_file::CreateBeside(destination_.path, temporary_path_, error_);
  }

  bool WritePending() {
    const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
    setp(bytes_.data(), bytes_.data() + bytes_.size());
    if (!error_ && pending > 0) error_ = os_file::WriteAll(file_, bytes_.data(), pending);
    return !error_;
  }

  FileError error_;
  os_file::Destination destination_;
  std::string temporary_path_;
  os_file::Handle file_ = os_file::kNoFile;
  std::vector<char> bytes_;
};

OutputFile::OutputFile(std::string utf8_target)
    : buffer_(std::make_unique<Buffer>(utf8_target)), stream_(buffer_.get()) {}

OutputFile::~OutputFile() = default;

std::ostream& OutputFile::Stream() { return stream_; }

FileError OutputFile::Commit() {
  if (committed_) return {};
  const FileError error = buffer_->Finish();
  committed_ = !error;
  return error;
}

}  // namespace mivalto

// Bytes gathered in memory and written to a stream in writes of some size: a stream operation
// costs more than the few bytes a writer adds at a time (a line, a JSON value, a DOT
// statement). The one buffer of every writer that appends its bytes to a string.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>

namespace mivalto {

class BufferedOutput {
 public:
  explicit BufferedOutput(std::ostream& out) : out_(out) { bytes_.reserve(2 * kWriteSize); }
  BufferedOutput(const BufferedOutput&) = delete;
  BufferedOutput& operator=(const BufferedOutput&) = delete;
  ~BufferedOutput() { Flush(); }

  // The bytes not yet written, to append to; what was gathered before goes out first once
  // there is enough of it.
  std::string& Bytes() {
    if (bytes_.size() >= kWriteSize) Flush();
    return bytes_;
  }
  void Flush() {
    out_.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    bytes_.clear();
  }

 private:
  static constexpr std::size_t kWriteSize = std::size_t{64} << 10;
  std::ostream& out_;
  std::string bytes_;
};

}  // namespace mivalto

// The file an output goes to. A regular file (or a name not taken yet) is replaced whole or
// not at all: the bytes go to a new file beside it under a temporary name, which is flushed
// to the disk, closed and then moved over it; until then, and whenever something fails, the
// target is as it was and the temporary file is removed. A symbolic link is followed, so that
// the file it ends at is replaced and the link stays a link. Anything else that exists (a
// device, a FIFO, a socket, a descriptor such as /dev/fd/N, Windows' NUL or CON) is written in
// place: replacing it would put a regular file where the system expects the device.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "platform/file_system.h"

namespace mivalto {

class OutputFile {
 public:
  // Opens where the bytes for utf8_target go; a failure shows in Commit.
  explicit OutputFile(std::string utf8_target);
  // Removes the temporary file unless Commit moved it over the target.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Where the new bytes go. A failed write sets the stream's badbit.
  std::ostream& Stream();

  // Ends the output: moves the new file over the target, or closes the target written in
  // place; returns the first failure of the opening, a write, the flush or the move (no problem
  // when the target now holds the new bytes).
  FileError Commit();

 private:
  class Buffer;
  std::unique_ptr<Buffer> buffer_;
  std::ostream stream_;
  bool committed_ = false;
};

}  // namespace mivalto

// A file that replaces its target whole or not at all: the bytes go to a new file beside the
// target under a temporary name, which is flushed to the disk, closed and then moved over the
// target. Until then, and whenever something fails, the target is as it was and the
// temporary file is removed.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "platform/file_system.h"

namespace mivalto {

class ReplacementFile {
 public:
  // Creates the temporary file beside utf8_target; a failure shows in Commit.
  explicit ReplacementFile(std::string utf8_target);
  // Removes the temporary file unless Commit moved it over the target.
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // Where the new file's bytes go. A failed write sets the stream's badbit.
  std::ostream& Stream();

  // Moves the new file over the target; returns the first failure of the creation, a write,
  // the flush or the move (no problem when the target now holds the new bytes).
  FileError Commit();

 private:
  class Buffer;
  std::string target_;
  std::unique_ptr<Buffer> buffer_;
  std::ostream stream_;
  bool committed_ = false;
};

}  // namespace mivalto

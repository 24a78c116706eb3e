// The sample graph files kept in samples/: made by the builders here, written there by
// mivalto-make-samples, and checked against the committed files by support_tests.
#pragma once

#include <string>
#include <vector>

#include "support/byte_writer.h"

namespace mivalto::testing {

struct SampleFile {
  std::string name{};  // file name in samples/
  ByteVector bytes{};
};

// capture-preview.grf: version 0003, every filter kind and format decoder, stored in regular
// sectors; minimal-0002.grf: version 0002, no filter, no connection; odd-format-block.grf:
// odd-length format blocks from the writer that puts a NUL after them, in a mini stream.
std::vector<SampleFile> SampleFiles();

}  // namespace mivalto::testing

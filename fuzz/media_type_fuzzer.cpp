// Arbitrary bytes as the graph text after a version line, read as media types one after
// the other until the text runs out: the describers fail only with a ReadFailure.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/read_failure.h"
#include "support/media_type_lines.h"
#include "support/text_scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mivalto::testing::TextScanner scanner(std::vector<std::uint8_t>(data, data + size));
  try {
    // Each round consumes at least the major type's first unit.
    for (;;) {
      mivalto::testing::MediaTypeLines lines;
      lines.MajorType(*scanner);
      lines.Subtype(*scanner);
      lines.Format(*scanner);
    }
  } catch (const mivalto::ReadFailure&) {
  }
  return 0;
}

// A scanner standing on the first unit of a piece of graph text, as the readers find it
// after the version line: the text is placed behind a version line at the sector at 512.
#pragma once

#include <cstdint>
#include <vector>

#include "scan/byte_source.h"
#include "scan/graph_scanner.h"
#include "support/graph_text.h"

namespace mivalto::testing {

class TextScanner {
 public:
  explicit TextScanner(const std::vector<std::uint8_t>& text) : file_(FileWith(text)) {
    scanner_.FindGraphText();
  }
  explicit TextScanner(const GraphText& text) : TextScanner(text.Bytes()) {}
  TextScanner(const TextScanner&) = delete;
  TextScanner& operator=(const TextScanner&) = delete;

  GraphScanner& operator*() { return scanner_; }
  GraphScanner* operator->() { return &scanner_; }

 private:
  static std::vector<std::uint8_t> FileWith(const std::vector<std::uint8_t>& text) {
    static constexpr std::uint8_t kVersionLine[] = {'0', 0, '0', 0, '0', 0, '3', 0, 13, 0, 10, 0};
    std::vector<std::uint8_t> file(512, 0);
    file.insert(file.end(), std::begin(kVersionLine), std::end(kVersionLine));
    file.insert(file.end(), text.begin(), text.end());
    return file;
  }

  std::vector<std::uint8_t> file_;
  MemorySource source_{file_};
  GraphScanner scanner_{source_};
};

}  // namespace mivalto::testing

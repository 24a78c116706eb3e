// A scanner over graph text laid out as in a file, right after the version line, so that
// CurrentChar is the text's first unit: where the describers start.
#pragma once

#include "scan/byte_source.h"
#include "scan/graph_scanner.h"
#include "support/file_layout.h"
#include "support/graph_text.h"

namespace mivalto {

class ScannedText {
 public:
  explicit ScannedText(const testing::GraphText& text)
      : file_(Layout(text)), source_(file_), scanner_(source_) {
    scanner_.FindGraphText();
  }
  ScannedText(const ScannedText&) = delete;
  ScannedText& operator=(const ScannedText&) = delete;

  GraphScanner& Scanner() { return scanner_; }

 private:
  static testing::ByteVector Layout(const testing::GraphText& text) {
    testing::GraphText whole;
    whole.Line("0003").Raw(text.Bytes());
    return testing::PlaceAtSector(whole.Bytes(), 1);
  }

  testing::ByteVector file_;
  MemorySource source_;
  GraphScanner scanner_;
};

}  // namespace mivalto

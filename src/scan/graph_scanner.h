// Reads the graph text of a .grf file without reading its compound-document structure:
// finds the 512-byte sector where the UTF-16 text begins, then hands it out one code unit at a
// time through a one-unit lookahead (CurrentChar), with raw byte access for the binary blocks
// that the text embeds. Every reader fails with ReadFailure rather than read beyond the file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "scan/byte_source.h"

namespace mivalto {

class GraphScanner {
 public:
  explicit GraphScanner(ByteSource& source);

  // Finds the sector whose first units are "0002" or "0003" and returns that version;
  // CurrentChar is then the first unit of the line after it. nullopt when no sector matches.
  std::optional<std::string> FindGraphText();

  // The lookahead: the unit just read. Testing it is always allowed; consuming it when it
  // could not be read (the file ended) is a read failure.
  std::uint16_t CurrentChar() const { return current_; }
  // False when the lookahead lies past the end of the file: the text was cut before it.
  bool HasCurrentChar() const { return current_read_; }

  // Character readers; each leaves CurrentChar as the graph text's readers expect.
  std::uint16_t NextChar() {
    if (!current_read_) FailAtEndOfFile();
    const std::uint16_t consumed = current_;
    LoadChar();
    return consumed;
  }
  std::string ReadChars(int count);  // code points
  std::string ReadLine();            // up to CR, which is dropped with its LF
  void SkipLineRest();               // bytewise to the next CR, whatever the alignment
  std::string ReadWord();            // up to a space, not consumed
  std::string ReadQuoted();          // "..." with both quotes
  std::string ReadGuidText();        // up to and including "}"
  std::string SkipChar();            // consumes one unit, returns the two-space separator
  std::int32_t ReadDecimal(int units);

  // Raw access.
  void SkipBytes(std::int64_t count);
  void StepBack();
  void ReadBytes(std::span<std::uint8_t> out);
  void SeekForward(std::uint64_t count);
  // Copies the bytes of the block whose first two CurrentChar holds (its count just read),
  // without moving: the block's readers pass it afterwards as they always do.
  void PeekBlockBytes(std::span<std::uint8_t> out);

  // Block framing: the ten count characters and the separator after them. Afterwards
  // CurrentChar holds the block's first two bytes. A count that reaches past the end of the
  // file fails. Filter data counts must be ten digits; format block counts are folded from
  // whatever the characters are (a negative count reads nothing).
  std::uint32_t ReadFilterBlockCount();
  std::int32_t ReadFormatBlockCount();

  std::uint64_t Position() const { return position_; }
  std::uint64_t Size() const { return size_; }

 private:
  // Nearly every unit lies whole in the buffer: taken from there inline, it costs a few
  // instructions; the rest goes through CopyBytes.
  void LoadChar() {
    const std::uint64_t at = position_ - buffer_offset_;
    if (position_ >= buffer_offset_ && at + 2 <= buffer_length_) {
      current_ = static_cast<std::uint16_t>(buffer_[at] | (buffer_[at + 1] << 8));
      current_read_ = true;
      position_ += 2;
    } else {
      LoadCharOutsideBuffer();
    }
  }
  void LoadCharOutsideBuffer();
  [[noreturn]] static void FailAtEndOfFile();
  std::size_t CopyBytes(std::uint64_t offset, std::span<std::uint8_t> out);
  int ByteAt(std::uint64_t offset);  // -1 past the end
  void CheckBlockFits(std::uint64_t count) const;
  bool SectorStartsWithVersion(std::uint64_t offset);

  ByteSource& source_;
  std::uint64_t size_;
  std::uint64_t position_ = 0;
  std::uint16_t current_ = 0;
  bool current_read_ = false;

  std::vector<std::uint8_t> buffer_;
  std::uint64_t buffer_offset_ = 0;
  std::size_t buffer_length_ = 0;
};

}  // namespace mivalto

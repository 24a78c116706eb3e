// Reads the graph text of a .grf file without reading its compound-document structure:
// finds the 512-byte sector where the UTF-16 text begins, then hands it out one code unit at a
// time through a one-unit lookahead (CurrentChar), and reads or skips the counted binary
// blocks that the text embeds, leaving CurrentChar where the next reader expects it. Every
// reader fails with ReadFailure rather than read beyond the file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/guid.h"
#include "scan/byte_source.h"

namespace mivalto {

// A GUID as the graph text spells it: its value and, only when the text is not the value's
// canonical (upper-case) text, the text itself, which a report that echoes the GUID shows.
struct SpelledGuid {
  Guid value;
  std::string odd_text;  // empty for the canonical text
  std::string Text() const { return odd_text.empty() ? GuidText(value) : odd_text; }
};

// One more unit of a decimal number: any unit counts as a digit, by its low byte; the value
// wraps like the 32-bit fold it is.
constexpr std::uint32_t FoldDigit(std::uint32_t value, std::uint16_t unit) {
  return value * 10 + ((unit & 0xFF) - 48u);
}

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
  // A GUID text, up to and including "}": true with the GUID when the text is one; false,
  // the value untouched, with the text in odd_text when it is not.
  bool ReadGuidInto(SpelledGuid& guid);
  SpelledGuid ReadGuid();  // the same; a text that is no GUID fails
  // Consumes one unit, a separator of the graph text.
  void SkipChar();
  std::int32_t ReadDecimal(int units);
  // The same fold, with the units read as text (a filter's number in a connection line).
  struct DecimalText {
    std::string text;
    std::int32_t value = 0;
  };
  DecimalText ReadDecimalText(int units);

  // Moves on so that CurrentChar is the unit that starts `count` bytes after the one it
  // holds; below 2, nothing.
  void SkipBytes(std::int64_t count);

  // Counted blocks: ten count characters, a separator, then that many raw bytes, of any
  // length, so the text after a block may lie at an odd offset. Reading the count opens the
  // block; CurrentChar then holds its first two bytes. A count that reaches past the end of
  // the file fails. Filter data counts must be ten digits; format block counts are folded
  // from whatever the characters are (a negative count opens an empty block).
  std::uint32_t ReadFilterBlockCount();
  std::int32_t ReadFormatBlockCount();
  // Reads the next out.size() bytes of the open block, starting with those CurrentChar holds,
  // which must lie in the block; CurrentChar then holds the two bytes after them.
  void ReadBlockBytes(std::span<std::uint8_t> out);
  // Copies the next out.size() bytes of the open block, as ReadBlockBytes, without moving.
  void PeekBlockBytes(std::span<std::uint8_t> out);
  // Passes the next `count` bytes of the open block, as ReadBlockBytes does.
  void PassBlockBytes(std::uint64_t count);
  // Passes what is left of the open block: CurrentChar is then the unit right after it.
  void SkipBlockRest();
  // The same for a block that SkipLineRest ends (a format block), except that a rest of one
  // or two bytes stays where it is: SkipLineRest passes it bytewise.
  void SkipBlockRestBeforeLineRest();

  std::uint64_t Position() const { return position_; }
  std::uint64_t Size() const { return size_; }
  // Where things are in the file, for a reader that tells of a place: the byte where
  // CurrentChar starts (the file's size once the text has run past its end), and the first
  // byte of the graph text FindGraphText found (0 before).
  std::uint64_t CurrentOffset() const { return current_read_ ? position_ - 2 : size_; }
  std::uint64_t TextStart() const { return text_start_; }

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
  using GuidChars = std::array<char, 38>;
  bool TakeGuidTextFromBuffer(GuidChars& chars);
  std::string ReadGuidTextRest(std::string_view start, std::uint16_t unit, bool last);
  std::size_t CopyBytes(std::uint64_t offset, std::span<std::uint8_t> out);
  int ByteAt(std::uint64_t offset);  // -1 past the end
  void OpenBlock(std::uint64_t count);
  std::uint64_t BlockBytesLeft() const;
  // Consumes the lookahead (failing when it could not be read) and loads the unit at offset.
  void MoveLookaheadTo(std::uint64_t offset);
  bool SectorStartsWithVersion(std::uint64_t offset);

  ByteSource& source_;
  std::uint64_t size_;
  std::uint64_t position_ = 0;
  std::uint16_t current_ = 0;
  bool current_read_ = false;
  std::uint64_t block_end_ = 0;  // the first byte after the open block
  std::uint64_t text_start_ = 0;

  std::vector<std::uint8_t> buffer_;
  std::uint64_t buffer_offset_ = 0;
  std::size_t buffer_length_ = 0;
};

}  // namespace mivalto

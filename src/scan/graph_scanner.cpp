#include "scan/graph_scanner.h"

#include <algorithm>
#include <array>

#include "base/program_texts.h"
#include "base/read_failure.h"
#include "base/text_encoding.h"

namespace mivalto {
namespace {

constexpr std::size_t kBufferSize = 256 * 1024;
constexpr std::uint64_t kSectorSize = 512;
constexpr std::uint16_t kCr = 13, kSpace = 32, kQuote = 34, kCloseBrace = 125;

bool HasLowerCaseDigit(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'f'; });
}

}  // namespace

// Never a buffer larger than the file: sweeps and fuzzing analyse many thousands of small ones.
GraphScanner::GraphScanner(ByteSource& source)
    : source_(source), size_(source.Size()), buffer_(std::min<std::uint64_t>(kBufferSize, size_)) {}

std::size_t GraphScanner::CopyBytes(std::uint64_t offset, std::span<std::uint8_t> out) {
  std::size_t copied = 0;
  while (copied < out.size() && offset + copied < size_) {
    const std::uint64_t at = offset + copied;
    if (at < buffer_offset_ || at >= buffer_offset_ + buffer_length_) {
      buffer_offset_ = at;
      buffer_length_ = source_.ReadAt(at, buffer_);
      if (buffer_length_ == 0) break;
    }
    const std::size_t n = std::min<std::uint64_t>(out.size() - copied,
                                                  buffer_offset_ + buffer_length_ - at);
    std::copy_n(buffer_.data() + (at - buffer_offset_), n, out.data() + copied);
    copied += n;
  }
  return copied;
}

int GraphScanner::ByteAt(std::uint64_t offset) {
  std::uint8_t byte;
  return CopyBytes(offset, {&byte, 1}) == 1 ? byte : -1;
}

// Past the end the position still moves on, so that a block's start is still 2 bytes back;
// the unit is marked unread and consuming it fails.
void GraphScanner::LoadCharOutsideBuffer() {
  std::array<std::uint8_t, 2> bytes;
  current_read_ = position_ < size_ && CopyBytes(position_, bytes) == 2;
  if (current_read_) current_ = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
  position_ += 2;
}

void GraphScanner::FailAtEndOfFile() {
  throw ReadFailure(texts::kEndInGraphText);
}

std::string GraphScanner::ReadChars(int count) {
  std::string text;
  Utf16Decoder decoder(text);
  for (int i = 0; i < count; ++i) {
    const std::uint16_t unit = NextChar();
    decoder.Push(unit);
    // A surrogate pair is one character.
    if (IsHighSurrogate(unit) && current_read_ && IsLowSurrogate(current_)) decoder.Push(NextChar());
  }
  decoder.Finish();
  return text;
}

std::string GraphScanner::ReadLine() {
  std::string text;
  Utf16Decoder decoder(text);
  for (std::uint16_t unit = NextChar(); unit != kCr; unit = NextChar()) decoder.Push(unit);
  decoder.Finish();
  NextChar();  // the LF
  return text;
}

void GraphScanner::SkipLineRest() {
  if ((current_ & 0xFF) != kCr) {
    if ((current_ >> 8) == kCr) {
      position_ += 1;  // the CR's partner byte
    } else {
      // Bytewise: a block of odd length may have left the text at an odd offset.
      for (int byte = ByteAt(position_); byte != kCr; byte = ByteAt(position_)) {
        if (byte < 0) throw ReadFailure(texts::kEndBeforeLineEnd);
        ++position_;
      }
      position_ += 2;
      if (position_ > size_) throw ReadFailure(texts::kEndBeforeLineEnd);
    }
  }
  NextChar();
  NextChar();
}

std::string GraphScanner::ReadWord() {
  std::string text;
  Utf16Decoder decoder(text);
  while (current_ != kSpace || !current_read_) decoder.Push(NextChar());
  decoder.Finish();
  return text;
}

std::string GraphScanner::ReadQuoted() {
  std::string text = "\"";
  Utf16Decoder decoder(text);
  if (current_ == kQuote) NextChar();
  while (current_ != kQuote || !current_read_) decoder.Push(NextChar());
  decoder.Finish();
  NextChar();
  text += '"';
  return text;
}

// The common case at once: the next 38 units lie in the buffer, are ASCII and only the last is
// "}", as in a GUID's text.
bool GraphScanner::TakeGuidTextFromBuffer(GuidChars& chars) {
  const std::uint64_t start = position_ - 2;  // CurrentChar's first byte
  if (!current_read_ || start < buffer_offset_ ||
      start - buffer_offset_ + 2 * chars.size() > buffer_length_) {
    return false;
  }
  const std::uint8_t* units = buffer_.data() + (start - buffer_offset_);
  for (std::size_t i = 0; i < chars.size(); ++i) {
    const std::uint8_t low = units[2 * i];
    if (units[2 * i + 1] != 0 || low >= 0x80 || (low == kCloseBrace) != (i + 1 == chars.size())) {
      return false;
    }
    chars[i] = static_cast<char>(low);
  }
  MoveLookaheadTo(start + 2 * chars.size());
  return true;
}

// A GUID's 38 characters are read as bytes, without a string; any other text goes on through
// the decoder from the first unit that makes it no GUID.
bool GraphScanner::ReadGuidInto(SpelledGuid& guid) {
  GuidChars ascii;
  std::size_t length = 0;
  if (TakeGuidTextFromBuffer(ascii)) length = ascii.size();
  for (bool last = length != 0; !last;) {
    last = current_read_ && current_ == kCloseBrace;
    const std::uint16_t unit = NextChar();
    if (unit >= 0x80 || length == ascii.size()) {
      guid.odd_text = ReadGuidTextRest({ascii.data(), length}, unit, last);
      return false;
    }
    ascii[length++] = static_cast<char>(unit);
  }
  const std::string_view text(ascii.data(), length);
  const std::optional<Guid> value = ParseGuid(text);
  guid.odd_text = !value || HasLowerCaseDigit(text) ? std::string(text) : std::string();
  if (value) guid.value = *value;
  return value.has_value();
}

std::string GraphScanner::ReadGuidTextRest(std::string_view start, std::uint16_t unit, bool last) {
  std::string text(start);
  Utf16Decoder decoder(text);
  decoder.Push(unit);
  if (!last) {
    while (current_ != kCloseBrace || !current_read_) decoder.Push(NextChar());
    decoder.Push(NextChar());
  }
  decoder.Finish();
  return text;
}

SpelledGuid GraphScanner::ReadGuid() {
  SpelledGuid guid;
  if (!ReadGuidInto(guid)) throw ReadFailure(texts::InvalidGuidText(guid.odd_text));
  return guid;
}

void GraphScanner::SkipChar() { NextChar(); }

std::int32_t GraphScanner::ReadDecimal(int units) {
  std::uint32_t value = 0;
  for (int i = 0; i < units; ++i) value = FoldDigit(value, NextChar());
  return static_cast<std::int32_t>(value);
}

GraphScanner::DecimalText GraphScanner::ReadDecimalText(int units) {
  DecimalText decimal;
  Utf16Decoder decoder(decimal.text);
  std::uint32_t value = 0;
  for (int i = 0; i < units; ++i) {
    const std::uint16_t unit = NextChar();
    decoder.Push(unit);
    value = FoldDigit(value, unit);
  }
  decoder.Finish();
  decimal.value = static_cast<std::int32_t>(value);
  return decimal;
}

void GraphScanner::MoveLookaheadTo(std::uint64_t offset) {
  if (!current_read_) FailAtEndOfFile();
  position_ = offset;
  LoadChar();
}

void GraphScanner::SkipBytes(std::int64_t count) {
  if (count >= 2) MoveLookaheadTo(position_ - 2 + count);
}

// The separator's NextChar has read the block's first two bytes: it starts 2 bytes back.
void GraphScanner::OpenBlock(std::uint64_t count) {
  const std::uint64_t block_start = position_ - 2;
  if (block_start > size_ || count > size_ - block_start) {
    throw ReadFailure(texts::BlockPastEndOfFile(count));
  }
  block_end_ = block_start + count;
}

std::uint64_t GraphScanner::BlockBytesLeft() const {
  const std::uint64_t at = position_ - 2;  // the first byte of CurrentChar
  return block_end_ > at ? block_end_ - at : 0;
}

void GraphScanner::PeekBlockBytes(std::span<std::uint8_t> out) {
  const std::uint64_t start = position_ - 2;
  if (start > size_ || CopyBytes(start, out) != out.size()) {
    throw ReadFailure(texts::kEndInBinaryBlock);
  }
}

void GraphScanner::PassBlockBytes(std::uint64_t count) { MoveLookaheadTo(position_ - 2 + count); }

void GraphScanner::ReadBlockBytes(std::span<std::uint8_t> out) {
  PeekBlockBytes(out);
  PassBlockBytes(out.size());
}

void GraphScanner::SkipBlockRest() {
  if (BlockBytesLeft() > 0) MoveLookaheadTo(block_end_);
}

void GraphScanner::SkipBlockRestBeforeLineRest() {
  if (BlockBytesLeft() > 2) MoveLookaheadTo(block_end_);
}

std::uint32_t GraphScanner::ReadFilterBlockCount() {
  std::uint32_t count = 0;
  for (int i = 0; i < 10; ++i) {
    const std::uint16_t unit = NextChar();
    if (unit < '0' || unit > '9') throw ReadFailure(texts::kBlockCountNotANumber);
    count = count * 10 + (unit - '0');
  }
  NextChar();
  OpenBlock(count);
  return count;
}

std::int32_t GraphScanner::ReadFormatBlockCount() {
  const std::int32_t count = ReadDecimal(10);
  NextChar();
  OpenBlock(count > 0 ? static_cast<std::uint64_t>(count) : 0);
  return count;
}

bool GraphScanner::SectorStartsWithVersion(std::uint64_t offset) {
  static constexpr std::array<std::uint8_t, 8> kVersion2 = {'0', 0, '0', 0, '0', 0, '2', 0};
  static constexpr std::array<std::uint8_t, 8> kVersion3 = {'0', 0, '0', 0, '0', 0, '3', 0};
  std::array<std::uint8_t, 8> candidate;
  if (CopyBytes(offset, candidate) != candidate.size()) return false;
  return candidate == kVersion2 || candidate == kVersion3;
}

std::optional<std::string> GraphScanner::FindGraphText() {
  // The first sector examined is the one at 512; the file's first 512 bytes never hold it.
  for (std::uint64_t sector = kSectorSize; sector < size_; sector += kSectorSize) {
    if (!SectorStartsWithVersion(sector)) continue;
    position_ = sector;
    text_start_ = sector;
    LoadChar();
    const std::string version = ReadChars(4);
    SkipBytes(4);  // the version line's CR LF, not checked
    return version;
  }
  return std::nullopt;
}

}  // namespace mivalto

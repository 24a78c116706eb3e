#include "analysis/json_text.h"

#include <array>
#include <span>

#include "analysis/json_input.h"
#include "base/program_texts.h"
#include "base/text_encoding.h"

namespace mivalto {
namespace {

constexpr std::size_t kBlockSize = 64 << 10;  // even, for UTF-16

struct ByteOrderMark {
  std::string_view bytes;
  bool utf16;
  bool big_endian;
};
constexpr ByteOrderMark kMarks[] = {
    {"\xEF\xBB\xBF", false, false},
    {"\xFF\xFE", true, false},
    {"\xFE\xFF", true, true},
};

// How many bytes the UTF-8 sequence that starts with `lead` takes; 0 for a byte that starts none.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

std::span<std::uint8_t> Bytes(std::string& text, std::size_t length) {
  return {reinterpret_cast<std::uint8_t*>(text.data()), length};
}

}  // namespace

JsonTextReader::JsonTextReader(ByteSource& source, bool quiet)
    : source_(source), quiet_(quiet), buffer_(kBlockSize, '\0') {
  std::string start(3, '\0');
  const std::size_t length = source_.ReadAt(0, Bytes(start, start.size()));
  for (const ByteOrderMark& mark : kMarks) {
    if (std::string_view(start.data(), length).starts_with(mark.bytes)) {
      offset_ = mark.bytes.size();
      if (mark.utf16) encoding_ = mark.big_endian ? Encoding::kUtf16Be : Encoding::kUtf16Le;
      break;
    }
  }
  Fill();
}

void JsonTextReader::Fault() const {
  throw JsonInputError(JsonPlaceOf(source_, decoded_before_ + length_), fault_, false);
}

void JsonTextReader::Fill() {
  decoded_before_ += length_;
  at_ = length_ = 0;
  if (!fault_.empty()) {
    if (quiet_) return;
    Fault();
  }
  const bool utf16 = encoding_ != Encoding::kUtf8;
  std::string& block = utf16 ? raw_ : buffer_;
  block.resize(kBlockSize);
  const std::size_t read = source_.ReadAt(offset_, Bytes(block, block.size()));
  const bool last = offset_ + read >= source_.Size();
  offset_ += utf16 ? DecodeUtf16(read, last) : DecodeUtf8(read, last);
  // A fault at the very start of a block is the next byte to read.
  if (length_ == 0 && !fault_.empty() && !quiet_) Fault();
}

// The block's bytes are already in buffer_: checks them, and keeps for the next block a
// sequence that the block's end cuts. Returns the stored bytes taken.
std::size_t JsonTextReader::DecodeUtf8(std::size_t length, bool last) {
  std::size_t i = 0;
  while (i < length) {
    const auto lead = static_cast<unsigned char>(buffer_[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    const std::size_t size = SequenceLength(lead);
    if (size != 0 && length - i < size && !last) break;  // the next block completes it
    if (size == 0 || length - i < size ||
        FrontCodePoint(std::string_view(buffer_).substr(i, size)).length != size) {
      fault_ = texts::kJsonInvalidUtf8;
      break;
    }
    i += size;
  }
  length_ = i;
  return i;
}

// Turns the block of UTF-16 units in raw_ into UTF-8 in buffer_, keeping for the next block a
// surrogate pair or a unit that the block's end cuts. Returns the stored bytes taken.
std::size_t JsonTextReader::DecodeUtf16(std::size_t length, bool last) {
  const bool big = encoding_ == Encoding::kUtf16Be;
  const auto unit = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(raw_[i]);
    const auto second = static_cast<unsigned char>(raw_[i + 1]);
    return static_cast<char32_t>(big ? first << 8 | second : second << 8 | first);
  };
  buffer_.clear();
  std::size_t i = 0;
  for (; length - i >= 2; i += 2) {
    char32_t code_point = unit(i);
    if (IsHighSurrogate(code_point)) {
      if (length - i < 4 || !IsLowSurrogate(unit(i + 2))) break;
      code_point = 0x10000 + ((code_point - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (IsLowSurrogate(code_point)) {
      break;
    }
    AppendCodePoint(buffer_, code_point);
  }
  const bool cut = length - i == 1 || (length - i >= 2 && IsHighSurrogate(unit(i)) && length - i < 4);
  if (i < length && (last || !cut)) fault_ = texts::kJsonInvalidUtf16;
  length_ = buffer_.size();
  return i;
}

bool StartsAsJsonText(ByteSource& source) {
  JsonTextReader reader(source, true);
  for (std::size_t i = 0; i < 256 && !reader.AtEnd(); ++i, reader.Advance()) {
    const char c = reader.Current();
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    return c == '{' || c == '[';
  }
  return false;
}

std::string JsonPlaceOf(ByteSource& source, std::uint64_t index) {
  JsonTextReader reader(source, true);
  std::uint64_t line = 1;
  std::uint64_t column = 1;
  for (std::uint64_t i = 0; i < index && !reader.AtEnd(); ++i, reader.Advance()) {
    const char c = reader.Current();
    if (c == '\n') {
      ++line;
      column = 1;
    } else if (!IsContinuationByte(c)) {
      ++column;
    }
  }
  return texts::JsonTextPlace(line, column);
}

}  // namespace mivalto

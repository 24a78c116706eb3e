// The text of a JSON document as the parser reads it: UTF-8 bytes, whatever the file was saved
// as (UTF-8, with or without Notepad's byte-order mark, or UTF-16 little- or big-endian with its
// mark, as Windows PowerShell 5.1 writes), checked as they pass; and where a byte of that text
// lies, as a person finds it in an editor (line and column, from 1).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "scan/byte_source.h"

namespace mivalto {

// The source's text one UTF-8 byte at a time, decoded and checked in blocks. A byte that is
// not UTF-8 (or a unit that is not UTF-16) throws JsonInputError with its line and column
// when the reader comes to it, unless `quiet`: the text then ends there.
class JsonTextReader {
 public:
  explicit JsonTextReader(ByteSource& source, bool quiet = false);
  bool AtEnd() const { return at_ == length_; }
  char Current() const { return buffer_[at_]; }
  void Advance() {
    if (++at_ == length_) Fill();
  }
  // The UTF-8 bytes decoded so far, those not yet read included.
  std::uint64_t Decoded() const { return decoded_before_ + length_; }

 private:
  enum class Encoding { kUtf8, kUtf16Le, kUtf16Be };
  void Fill();
  std::size_t DecodeUtf8(std::size_t length, bool last);
  std::size_t DecodeUtf16(std::size_t length, bool last);
  [[noreturn]] void Fault() const;

  ByteSource& source_;
  bool quiet_;
  Encoding encoding_ = Encoding::kUtf8;
  std::string raw_;     // a block as stored (UTF-16 only)
  std::string buffer_;  // the block as UTF-8
  std::uint64_t offset_ = 0;  // of the next stored byte to decode
  std::uint64_t decoded_before_ = 0;
  std::size_t at_ = 0;
  std::size_t length_ = 0;
  std::string_view fault_;  // what is wrong right after the block, if anything
};

// Whether the source's text, after blanks, opens an object or an array.
bool StartsAsJsonText(ByteSource& source);

// "ligne L, colonne C" of the decoded byte at `index` (0 for the first); columns count
// characters, not bytes.
std::string JsonPlaceOf(ByteSource& source, std::uint64_t index);

}  // namespace mivalto

// Plain text for a console that can't show colours: a stream buffer that passes on what is
// written to it without the escape sequences (ESC [ ... and ESC with one character), even when
// a sequence is split across writes. Windows uses it where the console refuses
// virtual-terminal processing.
#pragma once

#include <streambuf>

namespace mivalto {

class EscapeDroppingBuffer final : public std::streambuf {
 public:
  explicit EscapeDroppingBuffer(std::streambuf& target) : target_(target) {}

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override { return target_.pubsync(); }

 private:
  enum class State { kText, kEscape, kSequence };
  // Whether c is part of an escape sequence, moving on the state.
  bool Dropped(char c);

  std::streambuf& target_;
  State state_ = State::kText;
};

}  // namespace mivalto

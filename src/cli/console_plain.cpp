#include "cli/console_plain.h"

namespace mivalto {
namespace {

constexpr char kEscape = '\x1b';

// A control sequence ends with its final byte, "@" to "~"; parameters and intermediates
// come before it.
bool IsFinalByte(char c) { return c >= '@' && c <= '~'; }

}  // namespace

bool EscapeDroppingBuffer::Dropped(char c) {
  switch (state_) {
    case State::kText:
      if (c != kEscape) return false;
      state_ = State::kEscape;
      return true;
    case State::kEscape:
      state_ = c == '[' ? State::kSequence : State::kText;
      return true;
    case State::kSequence:
      if (IsFinalByte(c)) state_ = State::kText;
      return true;
  }
  return false;
}

EscapeDroppingBuffer::int_type EscapeDroppingBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char byte = traits_type::to_char_type(c);
  if (Dropped(byte)) return c;
  return target_.sputc(byte);
}

// Runs of plain text go on whole.
std::streamsize EscapeDroppingBuffer::xsputn(const char* text, std::streamsize count) {
  std::streamsize run_start = 0;
  for (std::streamsize i = 0; i < count; ++i) {
    if (!Dropped(text[i])) continue;
    if (target_.sputn(text + run_start, i - run_start) != i - run_start) return run_start;
    run_start = i + 1;
  }
  if (target_.sputn(text + run_start, count - run_start) != count - run_start) return run_start;
  return count;
}

}  // namespace mivalto

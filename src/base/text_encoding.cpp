#include "base/text_encoding.h"

namespace mivalto {
namespace {

// The multi-byte forms of UTF-8: lead byte range, length, smallest code point it may carry.
struct Utf8Form {
  unsigned char first_lead, last_lead;
  std::size_t length;
  char32_t smallest;
};
constexpr Utf8Form kUtf8Forms[] = {
    {0xC2, 0xDF, 2, 0x80},
    {0xE0, 0xEF, 3, 0x800},
    {0xF0, 0xF4, 4, 0x10000},
};

constexpr CodePoint kInvalidByte = {kReplacementChar, 1};

CodePoint DecodeForm(std::string_view utf8, const Utf8Form& form) {
  if (utf8.size() < form.length) return kInvalidByte;
  char32_t value = static_cast<unsigned char>(utf8[0]) & (0x7F >> form.length);
  for (std::size_t i = 1; i < form.length; ++i) {
    if (!IsContinuationByte(utf8[i])) return kInvalidByte;
    value = (value << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
  }
  if (value < form.smallest || value > 0x10FFFF || IsSurrogate(value)) return kInvalidByte;
  return {value, form.length};
}

// The shapes of well-formed UTF-8 sequences: lead byte range, length, and the range of the
// byte after the lead (which rules out overlong forms, surrogates and code points past
// U+10FFFF); later bytes are 80..BF.
struct SequenceForm {
  unsigned char first_lead, last_lead;
  std::size_t length;
  unsigned char second_low, second_high;
};
constexpr SequenceForm kSequenceForms[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

const SequenceForm* FormOf(unsigned char lead) {
  for (const SequenceForm& form : kSequenceForms) {
    if (lead >= form.first_lead && lead <= form.last_lead) return &form;
  }
  return nullptr;
}

// How many bytes at the front of `text` (lead included) belong to a valid sequence of
// `form`: form.length when it is whole, fewer when a byte breaks it or the text ends.
std::size_t ValidPrefix(std::string_view text, const SequenceForm& form) {
  std::size_t at = 1;
  for (; at < form.length && at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const bool fits = at == 1 ? byte >= form.second_low && byte <= form.second_high
                              : byte >= 0x80 && byte <= 0xBF;
    if (!fits) break;
  }
  return at;
}

}  // namespace

Utf8Sequence FrontUtf8Sequence(std::string_view utf8) {
  const SequenceForm* form = FormOf(static_cast<unsigned char>(utf8[0]));
  const std::size_t valid = form ? ValidPrefix(utf8, *form) : 1;
  return {valid, form && valid == form->length};
}

std::string WithBrokenUtf8Replaced(std::string_view utf8) {
  std::string kept;
  kept.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    if (static_cast<unsigned char>(utf8[at]) < 0x80) {
      kept += utf8[at++];
      continue;
    }
    const Utf8Sequence sequence = FrontUtf8Sequence(utf8.substr(at));
    if (sequence.valid) {
      kept += utf8.substr(at, sequence.length);
    } else {
      AppendCodePoint(kept, kReplacementChar);
    }
    at += sequence.length;
  }
  return kept;
}

CodePoint FrontCodePoint(std::string_view utf8) {
  const auto lead = static_cast<unsigned char>(utf8[0]);
  if (lead < 0x80) return {lead, 1};
  for (const Utf8Form& form : kUtf8Forms) {
    if (lead >= form.first_lead && lead <= form.last_lead) return DecodeForm(utf8, form);
  }
  return kInvalidByte;
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
  std::string utf8;
  utf8.reserve(utf16.size());
  Utf16Decoder decoder(utf8);
  for (const char16_t unit : utf16) decoder.Push(unit);
  decoder.Finish();
  return utf8;
}

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string utf16;
  utf16.reserve(utf8.size());
  while (!utf8.empty()) {
    const CodePoint c = FrontCodePoint(utf8);
    if (c.value < 0x10000) {
      utf16 += static_cast<char16_t>(c.value);
    } else {
      utf16 += static_cast<char16_t>(0xD800 + ((c.value - 0x10000) >> 10));
      utf16 += static_cast<char16_t>(0xDC00 + ((c.value - 0x10000) & 0x3FF));
    }
    utf8.remove_prefix(c.length);
  }
  return utf16;
}

void AppendCodePoint(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void Utf16Decoder::PushOther(std::uint16_t unit) {
  if (pending_high_ != 0) {
    if (IsLowSurrogate(unit)) {
      AppendCodePoint(out_, 0x10000 + ((char32_t(pending_high_) - 0xD800) << 10) + (unit - 0xDC00));
      pending_high_ = 0;
      return;
    }
    AppendCodePoint(out_, kReplacementChar);
    pending_high_ = 0;
  }
  if (IsHighSurrogate(unit)) {
    pending_high_ = unit;
  } else if (IsLowSurrogate(unit)) {
    AppendCodePoint(out_, kReplacementChar);
  } else {
    AppendCodePoint(out_, unit);
  }
}

void Utf16Decoder::Finish() {
  if (pending_high_ != 0) AppendCodePoint(out_, kReplacementChar);
  pending_high_ = 0;
}

std::size_t CodePointCount(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) count += !IsContinuationByte(c);
  return count;
}

std::string_view CutToCodePoints(std::string_view utf8, std::size_t max_code_points) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (!IsContinuationByte(utf8[i]) && seen++ == max_code_points) return utf8.substr(0, i);
  }
  return utf8;
}

}  // namespace mivalto

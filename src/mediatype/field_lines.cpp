#include "mediatype/field_lines.h"

#include <cstdio>

#include "base/le_bytes.h"
#include "mediatype/names.h"

namespace mivalto {
namespace {

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

constexpr RecordField kVideoHeaderFields[] = {
    {"rcSource = ", 0, RectText},
    {"rcTarget = ", 16, RectText},
    {"bitRate = ", 32, U32Decimal},
    {"ErrorBitRate = ", 36, U32Decimal},
    {"AvgTimePerFrame = ", 40, I64Decimal},
};

constexpr RecordField kBitmapInfoHeaderFields[] = {
    {"biSize = ", 0, U32Decimal},
    {"biWidth = ", 4, I32Decimal, FieldRole::kWidth},
    {"biHeight = ", 8, I32Decimal, FieldRole::kHeight},
    {"biPlanes = ", 12, U16Decimal},
    {"biBitCount = ", 14, U16Decimal},
    {"biCompression = ", 16, FourCCAt},
    {"biSizeImage = ", 20, U32Decimal},
    {"biXPelsPerMeter = ", 24, I32Decimal},
    {"biYPelsPerMeter = ", 28, I32Decimal},
    {"biClrUsed = ", 32, U32Decimal},
    {"biClrImportant = ", 36, U32Decimal},
};

}  // namespace

void AppendFields(DecodedFields& out, RecordBytes record, std::span<const RecordField> fields,
                  std::size_t base) {
  for (const RecordField& field : fields) {
    const std::size_t at = base + field.offset;
    DecodedValue value = field.value(record, at);
    value.place.offset += at;
    out.push_back({field.label, std::move(value.text), value.number, field.role, value.place});
  }
}

void AppendVideoHeaderFields(DecodedFields& out, RecordBytes record) {
  AppendFields(out, record, kVideoHeaderFields);
}

void AppendBitmapInfoHeaderFields(DecodedFields& out, RecordBytes record, std::size_t base) {
  AppendFields(out, record, kBitmapInfoHeaderFields, base);
}

bool StoreNumber(std::span<std::uint8_t> record, const NumberPlace& place, std::int64_t number) {
  const unsigned bits = static_cast<unsigned>(place.width * 8);
  if (place.width == 0 || place.width > 8 || place.offset > record.size() ||
      record.size() - place.offset < place.width) {
    return false;
  }
  if (bits < 64) {
    const std::int64_t least = place.is_signed ? -(std::int64_t{1} << (bits - 1)) : 0;
    const std::int64_t most = (std::int64_t{1} << (bits - (place.is_signed ? 1 : 0))) - 1;
    if (number < least || number > most) return false;
  }
  // The one 64-bit field kind is signed: every int64 fits it.
  auto bits_left = static_cast<std::uint64_t>(number);
  for (std::size_t i = 0; i < place.width; ++i, bits_left >>= 8) {
    record[place.offset + i] = static_cast<std::uint8_t>(bits_left);
  }
  return true;
}

std::string_view FieldNameOf(std::string_view label) {
  return TrimSpaces(label.substr(0, label.rfind('=')));
}

std::string_view TrimmedValue(std::string_view text) { return TrimSpaces(text); }

namespace {

DecodedValue Number(std::int64_t number, std::size_t width, bool is_signed) {
  return {std::to_string(number), number, {0, width, is_signed}};
}

}  // namespace

DecodedValue U16Decimal(RecordBytes record, std::size_t at) {
  return Number(LeU16(record, at), 2, false);
}

DecodedValue U32Decimal(RecordBytes record, std::size_t at) {
  return Number(LeU32(record, at), 4, false);
}

DecodedValue I32Decimal(RecordBytes record, std::size_t at) {
  return Number(LeI32(record, at), 4, true);
}

DecodedValue I64Decimal(RecordBytes record, std::size_t at) {
  return Number(LeI64(record, at), 8, true);
}

DecodedValue U32Hex(RecordBytes record, std::size_t at) {
  const std::uint32_t value = LeU32(record, at);
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
  return {text, value, {0, 4, false}};
}

DecodedValue FourCCAt(RecordBytes record, std::size_t at) {
  return {FourCCText(LeU32(record, at)), std::nullopt};
}

DecodedValue RectText(RecordBytes record, std::size_t at) {
  return {I32Decimal(record, at).text + "," + I32Decimal(record, at + 4).text + "," +
              I32Decimal(record, at + 8).text + "," + I32Decimal(record, at + 12).text,
          std::nullopt};
}

std::string FlagWords(std::span<const Named<std::uint32_t>> words, std::uint32_t flags) {
  std::string text;
  for (const Named<std::uint32_t>& word : words) {
    if ((flags & word.value) != 0) text += word.text;
  }
  return text;
}

}  // namespace mivalto

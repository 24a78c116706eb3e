#include "mediatype/field_lines.h"

#include <cstdio>

#include "base/le_bytes.h"
#include "mediatype/names.h"

namespace mivalto {
namespace {

constexpr std::string_view kFieldIndent = "\r\n          ";

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

void AppendFields(DecodedFields& out, RecordBytes record, std::span<const RecordField> fields) {
  for (const RecordField& field : fields) {
    DecodedValue value = field.value(record, field.offset);
    out.push_back({field.label, std::move(value.text), value.number, field.role});
  }
}

void AppendVideoHeaderFields(DecodedFields& out, RecordBytes record) {
  AppendFields(out, record, kVideoHeaderFields);
}

void AppendBitmapInfoHeaderFields(DecodedFields& out, RecordBytes header) {
  AppendFields(out, header, kBitmapInfoHeaderFields);
}

void AppendFieldLines(std::string& out, std::span<const DecodedField> fields) {
  for (const DecodedField& field : fields) ((out += kFieldIndent) += field.label) += field.value;
  out += kFieldIndent;
}

std::string_view FieldName(const DecodedField& field) {
  return TrimSpaces(field.label.substr(0, field.label.rfind('=')));
}

std::string_view FieldValue(const DecodedField& field) { return TrimSpaces(field.value); }

namespace {

DecodedValue Number(std::int64_t number) { return {std::to_string(number), number}; }

}  // namespace

DecodedValue U16Decimal(RecordBytes record, std::size_t at) { return Number(LeU16(record, at)); }

DecodedValue U32Decimal(RecordBytes record, std::size_t at) { return Number(LeU32(record, at)); }

DecodedValue I32Decimal(RecordBytes record, std::size_t at) { return Number(LeI32(record, at)); }

DecodedValue I64Decimal(RecordBytes record, std::size_t at) { return Number(LeI64(record, at)); }

DecodedValue U32Hex(RecordBytes record, std::size_t at) {
  const std::uint32_t value = LeU32(record, at);
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
  return {text, value};
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

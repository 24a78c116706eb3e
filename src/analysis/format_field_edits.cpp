#include "analysis/format_field_edits.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "analysis/graph_members.h"
#include "base/program_texts.h"
#include "mediatype/media_type.h"

namespace mivalto {
namespace {

// A member's text, when it is one.
std::optional<std::string_view> TextOf(const JsonAt& object, std::string_view key) {
  const std::optional<JsonAt> member = object.Optional(key);
  if (!member || !member->value.is_string()) return std::nullopt;
  return member->value.get_ref<const std::string&>();
}

// The JSON field is the decoded one when it names no other.
bool SameField(const JsonAt& field, const DecodedField& decoded) {
  const std::optional<std::string_view> name = TextOf(field, graph_keys::kName);
  return !field.Optional(graph_keys::kName) || name == FieldName(decoded);
}

// The value text field `index` would have with `number` at its place; none when it can't hold it.
std::optional<std::string> TextWith(const FormatType& type, const FormatModel& model,
                                    std::size_t index, std::int64_t number) {
  std::vector<std::uint8_t> bytes = model.bytes;
  const DecodedFields before = FormatFields(type, *model.size, bytes);
  if (!StoreNumber(bytes, before[index].place, number)) return std::nullopt;
  return std::string(FieldValue(FormatFields(type, *model.size, bytes)[index]));
}

// Whether the number went into the bytes.
bool WriteEditedNumber(const JsonAt& format, const JsonAt& field, const JsonAt& number,
                       const FormatType& type, FormatModel& model, std::size_t index,
                       const DecodedField& decoded) {
  const std::int64_t wanted = number.Integer();
  const std::optional<std::string_view> value = TextOf(field, graph_keys::kValue);
  if (value == FieldValue(decoded)) {
    if (!StoreNumber(model.bytes, decoded.place, wanted)) number.Fail(texts::kJsonNumberDoesNotFit);
    return true;
  }
  if (value && TextWith(type, model, index, wanted) == *value) return false;
  number.Fail(texts::EditedNumberConflict(wanted, PointerTo(format.pointer, graph_keys::kBytes),
                                          *decoded.number, decoded.place.offset));
}

}  // namespace

void WriteEditedNumbers(const JsonAt& format, FormatModel& model,
                        std::vector<std::string>& written) {
  const std::optional<JsonAt> fields = format.Optional(graph_keys::kFields);
  // Anything else is a derived member gone wrong, which the caller tells about after the walk.
  if (!fields || !fields->value.is_array()) return;
  const FormatType& type = FindFormatType(model.type.guid);
  const DecodedFields decoded = FormatFields(type, *model.size, model.bytes);
  const std::size_t count = std::min(decoded.size(), fields->value.size());
  for (std::size_t i = 0; i < count; ++i) {
    const JsonAt field = fields->Element(i);
    if (!field.value.is_object() || !decoded[i].number || !SameField(field, decoded[i])) continue;
    const std::optional<JsonAt> number = field.Optional(graph_keys::kNumber);
    if (!number || number->Integer() == *decoded[i].number) continue;
    if (WriteEditedNumber(format, field, *number, type, model, i, decoded[i])) {
      written.push_back(field.pointer);
    }
  }
}

}  // namespace mivalto

#include "model/graph_model.h"

#include "mediatype/field_lines.h"

namespace mivalto {

std::string_view FormatField::Name() const { return FieldNameOf(label); }

std::string_view FormatField::Value() const { return TrimmedValue(text); }

}  // namespace mivalto

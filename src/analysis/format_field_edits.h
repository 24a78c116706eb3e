// A format field's `number` edited in a JSON report. The report gives each number the format
// block holds twice: in `bytes` and as the field's `number`, beside its `value` text. A number
// that differs from what its bytes say is written into them at its place when the `value`
// still tells the bytes (only the number was changed); when the `value` tells the number, the
// bytes were changed and win. Both changed and disagreeing is refused.
#pragma once

#include <string>
#include <vector>

#include "analysis/json_input.h"
#include "model/graph_model.h"

namespace mivalto {

// format: the media type's `format` member; model: its type and bytes as read. Appends to
// written the pointer of each field whose number went into the bytes. Throws JsonInputError:
// a number that is no whole number or does not fit its field, a number and bytes that both
// changed and disagree (naming both places).
void WriteEditedNumbers(const JsonAt& format, FormatModel& model, std::vector<std::string>& written);

}  // namespace mivalto

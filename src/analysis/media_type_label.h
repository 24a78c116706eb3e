// A media type in a few words, for the places that name a connection's type without its whole
// description (a picture's edge, a connection only one compared graph has): the subtype's name,
// and the figures read first from its format (width × height, or sample rate, channels and
// bits), each found by the role the decoders give it.
#pragma once

#include <string>

#include "model/graph_model.h"

namespace mivalto {

// The subtype's name, or the major type's when the walk did not reach the subtype; empty for
// neither.
std::string MediaTypeName(const MediaTypeModel& media_type);

// "720 × 576", "48000 Hz, 2 canaux, 16 bits"; empty when the format gives none.
std::string MediaTypeFigures(const MediaTypeModel& media_type);

// The name and the figures on one line, a space between.
std::string MediaTypeLabel(const MediaTypeModel& media_type);

}  // namespace mivalto

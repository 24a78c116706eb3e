// A connection's media type, in three parts that each make one report line: the major type;
// the subtype with the sample flags and size; the format type with its block. Each part is
// read into the graph model (what the file stores, and aside the GUID texts as spelled, which
// the lines echo) and then described: named, its block's record decoded into fields, its line
// made from the model. The caller describes each part as soon as it is read, so that a file
// cut inside a media type still reports the parts before the cut.
#pragma once

#include <string>

#include "model/graph_model.h"
#include "scan/graph_scanner.h"

namespace mivalto {

// The GUID texts of a media type as the file spells them, when not canonical (else empty).
struct MediaTypeSpelling {
  std::string major_type;
  std::string subtype;
};

// From the major type's first character to the subtype's first character.
void ReadMajorType(GraphScanner& scanner, MediaTypeModel& media, MediaTypeSpelling& spelling);
// From the subtype's first character to the format type's first character.
void ReadSubtype(GraphScanner& scanner, MediaTypeModel& media, MediaTypeSpelling& spelling);
// From the format type's first character to the first unit after the format block (or, when
// one or two bytes of it are left unshown, on its last bytes). Returns where the block's
// first byte is in the file.
std::uint64_t ReadFormat(GraphScanner& scanner, MediaTypeModel& media);

// Derive names what its part read in the model (and decodes the format's fields); the line
// is then made from the model alone: the major type's name; the subtype's name, the sample flags
// that are set and the sample size; the format type's name with its fields below it on CR LF
// separated lines.
void DeriveMajorType(MediaTypeModel& media, const MediaTypeSpelling& spelling);
std::string MajorTypeLine(const MediaTypeModel& media);
void DeriveSubtype(MediaTypeModel& media, const MediaTypeSpelling& spelling);
std::string SubtypeLine(const MediaTypeModel& media);
void DeriveFormat(FormatModel& format);
std::string FormatLine(const FormatModel& format);

}  // namespace mivalto

// The three parts of a media type read through a scanner, derived and described at once, as the walk
// does: each returns its part's report line.
#pragma once

#include <string>

#include "analysis/media_type_section.h"

namespace mivalto::testing {

struct MediaTypeLines {
  MediaTypeModel media;
  MediaTypeSpelling spelling;

  std::string MajorType(GraphScanner& scanner) {
    ReadMajorType(scanner, media, spelling);
    DeriveMajorType(media, spelling);
    return MajorTypeLine(media);
  }
  std::string Subtype(GraphScanner& scanner) {
    ReadSubtype(scanner, media, spelling);
    DeriveSubtype(media, spelling);
    return SubtypeLine(media);
  }
  std::string Format(GraphScanner& scanner) {
    ReadFormat(scanner, media);
    DeriveFormat(*media.format);
    return FormatLine(*media.format);
  }
};

}  // namespace mivalto::testing

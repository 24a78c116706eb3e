// The three parts of a media type read through a scanner and described at once, as the walk
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
    return DescribeMajorType(media, spelling);
  }
  std::string Subtype(GraphScanner& scanner) {
    ReadSubtype(scanner, media, spelling);
    return DescribeSubtype(media, spelling);
  }
  std::string Format(GraphScanner& scanner) {
    ReadFormat(scanner, media);
    return DescribeFormat(*media.format);
  }
};

}  // namespace mivalto::testing

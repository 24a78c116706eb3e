// The media type of a connection in words. After a connection's pin line, the graph text
// holds the major type GUID, the subtype GUID, the two sample flags, the sample size, the
// format type GUID and the format block, separated by one character each; the three
// describers read them in that order through the scanner and return one report line each.
#pragma once

#include <string>

#include "scan/graph_scanner.h"

namespace mivalto {

// From the major type's first character to the subtype's first character.
std::string DescribeMajorType(GraphScanner& scanner);

// From the subtype's first character to the format type's first character: the subtype's
// name, the sample flags that are set and the sample size in parentheses.
std::string DescribeSubtype(GraphScanner& scanner);

// From the format type's first character to the first unit after the format block (or, when
// one or two bytes of it are left unshown, on its last bytes): the format type's name and its
// block, field lines below it on CR LF separated lines.
std::string DescribeFormat(GraphScanner& scanner);

}  // namespace mivalto

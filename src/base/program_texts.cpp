#include "base/program_texts.h"

namespace mivalto::texts {

std::string BinaryBytesNote(long long count) {
  return "<" + std::to_string(count) + " octets de données binaires >";
}

}  // namespace mivalto::texts

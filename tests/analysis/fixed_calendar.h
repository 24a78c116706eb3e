// A calendar whose clock and formats the tests fix.
#pragma once

#include "platform/calendar.h"

namespace mivalto::testing {

class FixedCalendar final : public Calendar {
 public:
  LocalDateTime Now() const override { return {2026, 12, 8, 9, 30, 0}; }
  std::string ShortDateLongTime(const LocalDateTime& t) const override {
    return std::to_string(t.day) + "/" + std::to_string(t.month) + "/" + std::to_string(t.year) +
           " " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
           std::to_string(t.second);
  }
  std::string LongDate(const LocalDateTime& t) const override {
    return "long " + std::to_string(t.day) + "." + std::to_string(t.month) + "." +
           std::to_string(t.year);
  }
};

}  // namespace mivalto::testing

// The few OS services the analysis needs: a file's last-write time and the user's date and
// time formats. Tests fix them through the Calendar interface.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace mivalto {

struct LocalDateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

class Calendar {
 public:
  virtual ~Calendar() = default;
  virtual LocalDateTime Now() const = 0;
  // The user's short date format, a space, the long time format.
  virtual std::string ShortDateLongTime(const LocalDateTime& t) const = 0;
  // The user's long date format.
  virtual std::string LongDate(const LocalDateTime& t) const = 0;
};

// The user's locale (Windows: the user default locale; elsewhere LC_TIME, and the program's
// own French formats when the environment names no locale: unset, C or POSIX).
std::unique_ptr<Calendar> SystemCalendar();

// Last-write time in local time, at the two-second resolution of a DOS date;
// nullopt when the path names nothing.
std::optional<LocalDateTime> FileLastWriteTime(const std::string& utf8_path);

}  // namespace mivalto

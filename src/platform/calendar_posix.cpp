#include <clocale>
#include <ctime>
#include <locale.h>
#include <sys/stat.h>

#include "platform/calendar.h"

namespace mivalto {
namespace {

std::tm ToTm(const LocalDateTime& t) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  tm.tm_isdst = -1;
  std::mktime(&tm);  // fills in the weekday for the long date
  return tm;
}

LocalDateTime FromTm(const std::tm& tm) {
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

// Formats with LC_TIME taken from the environment, without touching the global locale.
class PosixCalendar final : public Calendar {
 public:
  PosixCalendar() : locale_(newlocale(LC_TIME_MASK, "", nullptr)) {
    if (locale_ == nullptr) locale_ = newlocale(LC_TIME_MASK, "C", nullptr);
  }
  ~PosixCalendar() override { freelocale(locale_); }
  PosixCalendar(const PosixCalendar&) = delete;
  PosixCalendar& operator=(const PosixCalendar&) = delete;

  LocalDateTime Now() const override {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return FromTm(tm);
  }
  std::string ShortDateLongTime(const LocalDateTime& t) const override { return Format("%x %X", t); }
  std::string LongDate(const LocalDateTime& t) const override { return Format("%A %-d %B %Y", t); }

 private:
  std::string Format(const char* pattern, const LocalDateTime& t) const {
    const std::tm tm = ToTm(t);
    char text[256];
    const std::size_t n = strftime_l(text, sizeof text, pattern, &tm, locale_);
    return std::string(text, n);
  }
  locale_t locale_;
};

}  // namespace

std::unique_ptr<Calendar> SystemCalendar() { return std::make_unique<PosixCalendar>(); }

std::optional<LocalDateTime> FileLastWriteTime(const std::string& utf8_path) {
  struct stat info;
  if (stat(utf8_path.c_str(), &info) != 0) return std::nullopt;
  std::tm tm{};
  if (localtime_r(&info.st_mtime, &tm) == nullptr) return std::nullopt;
  LocalDateTime t = FromTm(tm);
  t.second -= t.second % 2;  // a DOS date-time keeps even seconds
  return t;
}

}  // namespace mivalto

#include <array>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <locale.h>
#include <string_view>
#include <sys/stat.h>

#include "platform/calendar.h"

namespace mivalto {
namespace {

// The program's own language, for when the environment names no locale: the C locale would
// write an American short date and English names inside the report's French sentences.
// They live here, not in the program's texts, because platform includes nothing above it
// and only this calendar ever needs them (Windows always has a user locale).
constexpr std::array<std::string_view, 7> kWeekdays = {"dimanche", "lundi",    "mardi", "mercredi",
                                                       "jeudi",    "vendredi", "samedi"};
constexpr std::array<std::string_view, 12> kMonths = {"janvier", "février", "mars",      "avril",
                                                      "mai",     "juin",    "juillet",   "août",
                                                      "septembre", "octobre", "novembre", "décembre"};
constexpr const char* kOwnShortDateLongTime = "%d/%m/%Y %H:%M:%S";

// LC_TIME as the environment sets it (LC_ALL, then LC_TIME, then LANG), when that is a real
// locale: unset, C, POSIX and C.<codeset> name none.
bool NamesATimeLocale() {
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    const std::string_view name = value;
    return name != "C" && name != "POSIX" && !name.starts_with("C.");
  }
  return false;
}

// That locale, or null when there is none or it is not installed.
locale_t NamedTimeLocale() { return NamesATimeLocale() ? newlocale(LC_TIME_MASK, "", nullptr) : nullptr; }

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

// Formats with the LC_TIME the environment names, without touching the global locale; in
// the program's own language when it names none or one that is not installed.
class PosixCalendar final : public Calendar {
 public:
  PosixCalendar() : locale_(NamedTimeLocale()), own_language_(locale_ == nullptr) {
    if (own_language_) locale_ = newlocale(LC_TIME_MASK, "C", nullptr);
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
  std::string ShortDateLongTime(const LocalDateTime& t) const override {
    return Format(own_language_ ? kOwnShortDateLongTime : "%x %X", t);
  }
  std::string LongDate(const LocalDateTime& t) const override {
    if (!own_language_) return Format("%A %-d %B %Y", t);
    const std::tm tm = ToTm(t);
    return std::string(kWeekdays.at(tm.tm_wday)) + " " + std::to_string(tm.tm_mday) + " " +
           std::string(kMonths.at(tm.tm_mon)) + " " + std::to_string(tm.tm_year + 1900);
  }

 private:
  std::string Format(const char* pattern, const LocalDateTime& t) const {
    const std::tm tm = ToTm(t);
    char text[256];
    const std::size_t n = strftime_l(text, sizeof text, pattern, &tm, locale_);
    return std::string(text, n);
  }
  locale_t locale_;
  bool own_language_;
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

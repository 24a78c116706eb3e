// The system calendar reads LC_TIME from the environment; where the environment names no
// locale it writes dates in the program's own language, as the report's sentences are French.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/calendar.h"

namespace mivalto {
namespace {

struct Environment {
  const char* name;
  std::optional<std::string> lc_all, lc_time, lang;  // nullopt: unset
  friend void PrintTo(const Environment& e, std::ostream* out) { *out << e.name; }
};

// Sets the locale variables for one test and puts back what was there.
class LocaleVariables {
 public:
  explicit LocaleVariables(const Environment& e) {
    Set("LC_ALL", e.lc_all);
    Set("LC_TIME", e.lc_time);
    Set("LANG", e.lang);
  }
  ~LocaleVariables() {
    for (const auto& [name, value] : saved_) Apply(name, value);
  }
  LocaleVariables(const LocaleVariables&) = delete;
  LocaleVariables& operator=(const LocaleVariables&) = delete;

 private:
  void Set(const char* name, const std::optional<std::string>& value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    Apply(name, value);
  }
  static void Apply(const char* name, const std::optional<std::string>& value) {
    if (value) setenv(name, value->c_str(), 1);
    else unsetenv(name);
  }
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

class CalendarWithoutLocale : public ::testing::TestWithParam<Environment> {};

TEST_P(CalendarWithoutLocale, WritesTheProgramsOwnLanguage) {
  const LocaleVariables variables(GetParam());
  const auto calendar = SystemCalendar();
  EXPECT_EQ(calendar->ShortDateLongTime({2026, 12, 8, 11, 24, 52}), "08/12/2026 11:24:52");
  EXPECT_EQ(calendar->LongDate({2026, 12, 8, 11, 24, 52}), "mardi 8 décembre 2026");
  EXPECT_EQ(calendar->ShortDateLongTime({2026, 2, 1, 7, 5, 8}), "01/02/2026 07:05:08");
  EXPECT_EQ(calendar->LongDate({2026, 2, 1, 7, 5, 8}), "dimanche 1 février 2026");
}

INSTANTIATE_TEST_SUITE_P(
    Environments, CalendarWithoutLocale,
    ::testing::Values(Environment{"Unset", {}, {}, {}},
                      Environment{"AllC", "C", "fr_FR.UTF-8", "fr_FR.UTF-8"},
                      Environment{"TimeCUtf8", {}, "C.UTF-8", "fr_FR.UTF-8"},
                      Environment{"LangPosix", {}, {}, "POSIX"},
                      Environment{"NotInstalled", {}, "xx_XX.UTF-8", {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mivalto

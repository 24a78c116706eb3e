#include <windows.h>

#include "platform/calendar.h"
#include "platform/wide_text.h"

namespace mivalto {
namespace {

SYSTEMTIME ToSystemTime(const LocalDateTime& t) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  return st;
}

std::string DateText(const SYSTEMTIME& st, DWORD flags) {
  wchar_t text[256];
  const int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, flags, &st, nullptr, text, 256, nullptr);
  return n > 0 ? WideToUtf8(std::wstring_view(text, n - 1)) : std::string();
}

std::string TimeText(const SYSTEMTIME& st) {
  wchar_t text[256];
  const int n = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, text, 256);
  return n > 0 ? WideToUtf8(std::wstring_view(text, n - 1)) : std::string();
}

class WindowsCalendar final : public Calendar {
 public:
  LocalDateTime Now() const override {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
  }
  std::string ShortDateLongTime(const LocalDateTime& t) const override {
    const SYSTEMTIME st = ToSystemTime(t);
    return DateText(st, DATE_SHORTDATE) + " " + TimeText(st);
  }
  std::string LongDate(const LocalDateTime& t) const override {
    return DateText(ToSystemTime(t), DATE_LONGDATE);
  }
};

}  // namespace

std::unique_ptr<Calendar> SystemCalendar() { return std::make_unique<WindowsCalendar>(); }

// The directory search finds files and folders alike; its time goes through a DOS
// date-time, hence the two-second resolution.
std::optional<LocalDateTime> FileLastWriteTime(const std::string& utf8_path) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(Utf8ToWide(utf8_path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(search);
  FILETIME local;
  WORD dos_date = 0, dos_time = 0;
  if (!FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) ||
      !FileTimeToDosDateTime(&local, &dos_date, &dos_time)) {
    return std::nullopt;
  }
  return LocalDateTime{1980 + (dos_date >> 9), (dos_date >> 5) & 0xF, dos_date & 0x1F,
                       dos_time >> 11, (dos_time >> 5) & 0x3F, (dos_time & 0x1F) * 2};
}

}  // namespace mivalto

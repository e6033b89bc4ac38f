// set-time: the handheld's date and time, so that what a screen shows of
// them is the same on every run.
#include <cstdio>

#include "platform/clock_setting.h"
#include "platform/time.h"
#include "script_steps.h"

namespace handheld {

std::optional<platform::SYSTEMTIME> ParseDateTime(const std::string& date,
                                                  const std::string& time) {
  unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0;
  char end = 0;
  if (std::sscanf(date.c_str(), "%4u-%2u-%2u%c", &year, &month, &day, &end) != 3 ||
      std::sscanf(time.c_str(), "%2u:%2u%c", &hour, &minute, &end) != 2 || year < 1601 ||
      hour > 23 || minute > 59) {
    return std::nullopt;
  }
  platform::SYSTEMTIME when;
  when.wYear = static_cast<platform::WORD>(year);
  when.wMonth = static_cast<platform::WORD>(month);
  when.wDay = static_cast<platform::WORD>(day);
  when.wHour = static_cast<platform::WORD>(hour);
  when.wMinute = static_cast<platform::WORD>(minute);
  // The calendar decides whether the day exists.
  platform::FILETIME check;
  if (!platform::SystemTimeToFileTime(&when, &check)) return std::nullopt;
  return when;
}

namespace {

bool SetTime(StepContext& context) {
  const platform::SYSTEMTIME when =
      *ParseDateTime(context.step.arguments[0], context.step.arguments[1]);
  if (!platform::SetLocalTime(&when)) return Fail(context, "the handheld refused the time");
  context.out << "the handheld's time is " << context.step.arguments[0] << " "
              << context.step.arguments[1] << "\n";
  return true;
}

}  // namespace

void AddClockSteps(StepTable* table) {
  table->insert({
      {"set-time",
       {2, 2,
        [](const auto& a) -> std::optional<std::string> {
          if (ParseDateTime(a[0], a[1])) return std::nullopt;
          return "the time is written YYYY-MM-DD HH:MM, not '" + a[0] + " " + a[1] + "'";
        },
        SetTime, "set-time YYYY-MM-DD HH:MM", "sets the handheld's local date and time"}},
  });
}

}  // namespace handheld

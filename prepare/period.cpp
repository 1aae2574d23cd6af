#include "prepare/period.h"

namespace quadmine {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

bool is_leap(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

std::int64_t days_in_month(std::int64_t year, std::int64_t month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && is_leap(year) ? 29 : kDays[month - 1];
}

// The proleptic Gregorian date of a day counted from 1970-01-01, by eras of
// 400 years (146097 days) that start on March 1st.
CalendarDate civil_from_days(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  CalendarDate date;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  date.day = doy - (153 * mp + 2) / 5 + 1;
  date.month = month;
  date.year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  return date;
}

}  // namespace

bool is_date(std::int64_t year, std::int64_t month, std::int64_t day) {
  return month >= 1 && month <= 12 && day >= 1 && day <= days_in_month(year, month);
}

// The inverse of civil_from_days, by the same eras.
std::int64_t days_from_civil(std::int64_t year, std::int64_t month, std::int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yoe = year - era * 400;
  const std::int64_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

bool calendar_code(const CalendarDate& date, Period period, int& code) {
  if (date.year < kFirstYear || date.year > kLastYear) return false;
  const std::int64_t month = date.month.value_or(1);
  const std::int64_t day = date.day.value_or(1);
  if (!is_date(date.year, month, day)) return false;
  switch (period) {
    case Period::Year:
      code = static_cast<int>(date.year);
      return true;
    case Period::Month:
      if (!date.month) return false;
      code = static_cast<int>(date.year * 100 + month);
      return true;
    case Period::Day:
      if (!date.month || !date.day) return false;
      code = static_cast<int>(date.year * 10000 + month * 100 + day);
      return true;
  }
  return false;
}

bool unix_time_code(std::int64_t seconds, Period period, int& code) {
  // Keeps the day count far from overflow; the year check below does the rest.
  constexpr std::int64_t kLimit = std::int64_t{400} * 10000 * 366 * kSecondsPerDay;
  if (seconds < -kLimit || seconds > kLimit) return false;
  const std::int64_t days =
      seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
  return calendar_code(civil_from_days(days), period, code);
}

}  // namespace quadmine

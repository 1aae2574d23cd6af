// Period codes of the D dimension: a year is coded 2009, a month 200904
// (year * 100 + month), a day 20090415 (year * 10000 + month * 100 + day).
// Years run from 1000 to 9999: a year written with fewer digits ('09') is an
// error, never a date of the first millennium.
#pragma once

#include <cstdint>
#include <optional>

namespace quadmine {

enum class Period { Year, Month, Day };

constexpr std::int64_t kFirstYear = 1000;
constexpr std::int64_t kLastYear = 9999;

// A calendar date read from columns; month and day may be absent.
struct CalendarDate {
  std::int64_t year = 0;
  std::optional<std::int64_t> month;
  std::optional<std::int64_t> day;
};

// The code of `date` for `period`. Every part that is present is checked
// (month 1 to 12, day within its month, leap years included), and the parts
// the period needs must be present. Returns false for a bad date.
bool calendar_code(const CalendarDate& date, Period period, int& code);

// The code of the UTC period holding the Unix time `seconds` (negative
// before 1970). Returns false outside years 1000 to 9999.
bool unix_time_code(std::int64_t seconds, Period period, int& code);

// Whether year-month-day is a date of the proleptic Gregorian calendar (any
// year; month 1 to 12; day within its month, leap years included).
bool is_date(std::int64_t year, std::int64_t month, std::int64_t day);

// The day of year-month-day (a date) counted from 1970-01-01, negative before.
std::int64_t days_from_civil(std::int64_t year, std::int64_t month, std::int64_t day);

}  // namespace quadmine

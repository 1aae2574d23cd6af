// Period codes of the D dimension: a year is coded 2009, a month 200904
// (year * 100 + month), a day 20090415 (year * 10000 + month * 100 + day).
// Years run from 1 to 9999.
#pragma once

#include <cstdint>
#include <optional>

namespace quadmine {

enum class Period { Year, Month, Day };

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
// before 1970). Returns false outside years 1 to 9999.
bool unix_time_code(std::int64_t seconds, Period period, int& code);

}  // namespace quadmine

// The values of a --time column: Unix times and ISO 8601 dates and times.
#pragma once

#include <cstdint>
#include <string_view>

#include "prepare/period.h"
#include "util/status.h"

namespace quadmine {

// Reads an ISO 8601 date or date-time as a Unix time in seconds, in UTC:
//
//   YYYY-MM-DD                               midnight, UTC
//   YYYY-MM-DDThh:mm[:ss[.fraction]][ZONE]   'T' or a blank between them
//   ZONE: Z, or an offset from UTC +hh:mm, +hhmm or +hh (or -); none is UTC
//
// The fraction of a second is dropped; a second of 60 (a leap second) counts
// as the first of the next minute. Returns false when the text has another
// form or is not a date and time (month 13, hour 24, offset minute 60, ...).
bool parse_iso_time(std::string_view text, std::int64_t& seconds);

enum class TimeUnit { Seconds, Milliseconds };

// A value of a --time column as a Unix time in seconds: a whole number of
// `unit`s since 1970-01-01 UTC (negative before), or an ISO 8601 date or
// date-time (which does not depend on the unit). False when it is neither.
bool parse_time(std::string_view text, TimeUnit unit, std::int64_t& seconds);

// The code of the period holding the time `text` (period.h). Fails with
// "bad time 'TEXT' in column LABEL (...the forms it may take)" when it is no
// time, or "bad date 'TEXT' (...)" when its year is not from 1000 to 9999,
// with a hint when the number only makes sense in milliseconds.
Status time_code(std::string_view text, TimeUnit unit, Period period, const std::string& label,
                 int& code);

}  // namespace quadmine

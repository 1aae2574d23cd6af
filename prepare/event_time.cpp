#include "prepare/event_time.h"

#include <charconv>
#include <string>

namespace quadmine {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// The `count` decimal digits at text[pos] as a number.
bool digits(std::string_view text, std::size_t pos, std::size_t count, std::int64_t& out) {
  if (text.size() < pos + count) return false;
  out = 0;
  for (std::size_t k = pos; k < pos + count; ++k) {
    if (text[k] < '0' || text[k] > '9') return false;
    out = out * 10 + (text[k] - '0');
  }
  return true;
}

bool is_at(std::string_view text, std::size_t pos, char c) {
  return pos < text.size() && text[pos] == c;
}

// ZONE, or nothing: the offset from UTC in seconds.
bool zone_offset(std::string_view zone, std::int64_t& offset) {
  offset = 0;
  if (zone.empty() || zone == "Z" || zone == "z") return true;
  if (zone[0] != '+' && zone[0] != '-') return false;
  std::int64_t hours = 0, minutes = 0;
  if (!digits(zone, 1, 2, hours)) return false;
  const bool minutes_given = (zone.size() == 6 && zone[3] == ':' && digits(zone, 4, 2, minutes)) ||
                             (zone.size() == 5 && digits(zone, 3, 2, minutes));
  if (!minutes_given && zone.size() != 3) return false;
  if (hours > 23 || minutes > 59) return false;
  offset = (hours * 3600 + minutes * 60) * (zone[0] == '-' ? -1 : 1);
  return true;
}

// "Thh:mm[:ss[.fraction]][ZONE]": the seconds since midnight UTC of the day
// (negative or past a day when the offset crosses midnight).
bool time_of_day(std::string_view text, std::int64_t& seconds) {
  if (text[0] != 'T' && text[0] != 't' && text[0] != ' ') return false;
  std::int64_t hour = 0, minute = 0, second = 0;
  if (!digits(text, 1, 2, hour) || !is_at(text, 3, ':') || !digits(text, 4, 2, minute)) {
    return false;
  }
  std::size_t pos = 6;
  if (is_at(text, pos, ':')) {
    if (!digits(text, pos + 1, 2, second)) return false;
    pos += 3;
    if (is_at(text, pos, '.') || is_at(text, pos, ',')) {
      const std::size_t first = ++pos;
      while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
      if (pos == first) return false;
    }
  }
  std::int64_t offset = 0;
  if (hour > 23 || minute > 59 || second > 60 || !zone_offset(text.substr(pos), offset)) {
    return false;
  }
  seconds = hour * 3600 + minute * 60 + second - offset;
  return true;
}

bool whole_int64(std::string_view text, std::int64_t& out) {
  const char* end = text.data() + text.size();
  const auto parsed = std::from_chars(text.data(), end, out);
  return !text.empty() && parsed.ec == std::errc() && parsed.ptr == end;
}

// Milliseconds to seconds, rounding down (-1 ms is in 1969).
std::int64_t floor_seconds(std::int64_t milliseconds) {
  return milliseconds >= 0 ? milliseconds / 1000 : -((-(milliseconds + 1)) / 1000) - 1;
}

}  // namespace

bool parse_iso_time(std::string_view text, std::int64_t& seconds) {
  std::int64_t year = 0, month = 0, day = 0;
  if (!digits(text, 0, 4, year) || !is_at(text, 4, '-') || !digits(text, 5, 2, month) ||
      !is_at(text, 7, '-') || !digits(text, 8, 2, day) || !is_date(year, month, day)) {
    return false;
  }
  std::int64_t clock = 0;
  if (text.size() > 10 && !time_of_day(text.substr(10), clock)) return false;
  seconds = days_from_civil(year, month, day) * kSecondsPerDay + clock;
  return true;
}

bool parse_time(std::string_view text, TimeUnit unit, std::int64_t& seconds) {
  std::int64_t number = 0;
  if (whole_int64(text, number)) {
    seconds = unit == TimeUnit::Milliseconds ? floor_seconds(number) : number;
    return true;
  }
  return parse_iso_time(text, seconds);
}

Status time_code(std::string_view text, TimeUnit unit, Period period, const std::string& label,
                 int& code) {
  std::int64_t seconds = 0;
  if (!parse_time(text, unit, seconds)) {
    return Status::error("bad time '" + std::string(text) + "' in column " + label +
                         " (Unix seconds, milliseconds with --unit ms, or an ISO 8601 date or "
                         "date-time such as 2005-12-15T14:32:00Z)");
  }
  if (unix_time_code(seconds, period, code)) return {};
  std::int64_t number = 0;
  int unused = 0;
  const bool milliseconds = unit == TimeUnit::Seconds && whole_int64(text, number) &&
                            unix_time_code(floor_seconds(number), period, unused);
  return Status::error(
      "bad date '" + std::string(text) + "' (" +
      (milliseconds ? "milliseconds? try --unit ms" : "years run from 1000 to 9999") + ")");
}

}  // namespace quadmine

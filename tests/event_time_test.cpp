// Times of quadmine-prepare: ISO 8601 dates and date-times to UTC, Unix times
// in seconds or milliseconds, the period codes, and the messages of bad ones.
#include "prepare/event_time.h"

#include <random>

#include "support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

TEST(EventTime, ReadsIsoDatesAndTimesInUtc) {
  const struct {
    const char* text;
    std::int64_t seconds;
  } cases[] = {
      {"2005-12-15 14:32:00", 1134657120},
      {"2005-12-15T14:32:00Z", 1134657120},
      {"2005-12-15t14:32z", 1134657120},
      {"2005-12-15T14:32:00.750Z", 1134657120},  // the fraction is dropped
      {"2005-12-15T16:32:00+02:00", 1134657120},
      {"2005-12-15T09:32:00-0500", 1134657120},
      {"2005-12-15T15:32+01", 1134657120},
      {"2005-12-31T23:30:00-02:00", 1136079000},  // already 2006 in UTC
      {"1969-12-31T23:59:59Z", -1},
      {"2000-02-29", 951782400},
      {"9999-12-31T23:59:59Z", 253402300799},
      {"2016-12-31T23:59:60Z", 1483228800},  // a leap second
  };
  for (const auto& c : cases) {
    std::int64_t seconds = 7;
    EXPECT_TRUE(parse_iso_time(c.text, seconds)) << c.text;
    EXPECT_EQ(seconds, c.seconds) << c.text;
  }
  // clang-format off
  const char* const bad_texts[] = {
      "", "2005", "2005-12", "05-12-15", "2005-13-01", "2005-02-29", "1900-02-29", "2009-04-31",
      "2005-12-32", "2005/12/15", "2005-12-15T", "2005-12-15T24:00", "2005-12-15T14:60",
      "2005-12-15T14:32:61", "2005-12-15T14", "2005-12-15T14:32:00.", "2005-12-15T14:32+2",
      "2005-12-15T14:32+02:60", "2005-12-15T14:32+02:00x", "2005-12-15x", "2005-12-15  14:32",
      "+2005-12-15"};
  // clang-format on
  for (const char* bad : bad_texts) {
    std::int64_t seconds = 7;
    EXPECT_FALSE(parse_iso_time(bad, seconds)) << bad;
    EXPECT_EQ(seconds, 7) << bad;
  }
}

// Every day from 1000 to 9999 as a date read back, against the period codes
// computed from the Unix time (two independent conversions).
TEST(EventTime, DatesAndDayCodesAgree) {
  std::mt19937 random(19);
  std::uniform_int_distribution<std::int64_t> day(-354285, 2932896);  // 1000-01-01..9999-12-31
  for (int k = 0; k < 20000; ++k) {
    const std::int64_t d = k == 0 ? -354285 : k == 1 ? 2932896 : day(random);
    int code = 0;
    ASSERT_TRUE(unix_time_code(d * 86400 + 3600, Period::Day, code)) << d;
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", code / 10000, code / 100 % 100, code % 100);
    std::int64_t seconds = 0;
    ASSERT_TRUE(parse_iso_time(text, seconds)) << text;
    EXPECT_EQ(seconds, d * 86400) << text;
  }
}

TEST(EventTime, CodesTimesOrSaysWhyNot) {
  // A date out of range says why: given in milliseconds, or out of the years.
  const char *const ms = "milliseconds? try --unit ms", *const years =
                                                            "years run from 1000 to 9999";
  const struct {
    const char* text;
    TimeUnit unit;
    Period period;
    int code;
    const char* why;
  } cases[] = {
      {"1240685659", TimeUnit::Seconds, Period::Day, 20090425, ""},
      {"1240685659000", TimeUnit::Milliseconds, Period::Month, 200904, ""},
      {"-1", TimeUnit::Milliseconds, Period::Year, 1969, ""},
      {"2009-04-25T23:30:00-01:00", TimeUnit::Milliseconds, Period::Day, 20090426, ""},
      {"1240685659000", TimeUnit::Seconds, Period::Day, 0, ms},
      {"-40000000000", TimeUnit::Seconds, Period::Year, 0, ms},  // 1968 in ms
      {"999999999999999", TimeUnit::Seconds, Period::Day, 0, years},
      {"-400000000000000", TimeUnit::Seconds, Period::Year, 0, years},
      {"253402300800000", TimeUnit::Milliseconds, Period::Year, 0, years},
      {"0999-12-31", TimeUnit::Seconds, Period::Year, 0, years},
  };
  for (const auto& c : cases) {
    int code = 0;
    const Status status = time_code(c.text, c.unit, c.period, "4", code);
    EXPECT_EQ(status.message(),
              *c.why ? "bad date '" + std::string(c.text) + "' (" + c.why + ")" : "")
        << c.text;
    if (status.ok()) {
      EXPECT_EQ(code, c.code) << c.text;
    }
  }
  int code = 0;
  EXPECT_EQ(time_code("15/12/2005", TimeUnit::Seconds, Period::Year, "4", code).message(),
            "bad time '15/12/2005' in column 4 (Unix seconds, milliseconds with --unit ms, or an "
            "ISO 8601 date or date-time such as 2005-12-15T14:32:00Z)");
}

}  // namespace

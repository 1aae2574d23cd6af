#include "evaluation/timed_serving.h"

#include <ctime>

#include "text/scanner.h"

namespace quadmine {

namespace {

// clock() counts microseconds on every POSIX system; a duration in seconds is
// the difference of two readings divided by this.
constexpr float kClockTicksPerSecond = 1000000.0f;
static_assert(CLOCKS_PER_SEC == 1000000);

}  // namespace

float clock_reading() { return static_cast<float>(std::clock()); }

float seconds_between(float start, float end) { return (end - start) / kClockTicksPerSecond; }

bool read_user_line(const char* line, int& user, int& d) {
  TextScanner scan(line);
  return scan.number(user) && scan.number(d);
}

float average_seconds(const ServingTotals& totals) {
  return totals.total_seconds / static_cast<float>(totals.served);
}

}  // namespace quadmine

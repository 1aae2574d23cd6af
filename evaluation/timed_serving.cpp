#include "evaluation/timed_serving.h"

#include <ctime>

#include <unordered_set>

#include "store/progress.h"

namespace {

// clock() counts microseconds on every POSIX system; a duration in seconds is
// the difference of two readings divided by this.
constexpr float kClockTicksPerSecond = 1000000.0f;
static_assert(CLOCKS_PER_SEC == 1000000);

float clock_reading() { return static_cast<float>(std::clock()); }

}  // namespace

ServingTotals time_each_user(std::FILE* users_only, ReportedIndex& index,
                             PerUserComputation compute) {
  ServingTotals totals;
  std::unordered_set<int> seen;
  std::vector<int> list;
  char line[100];

  std::rewind(users_only);
  std::size_t lines_read = 0;
  while (std::fgets(line, sizeof line, users_only) != nullptr) {
    progress_step(++lines_read);  // before the user's timed span starts
    const float start = clock_reading();
    int user = 0;
    int d = 0;
    if (std::sscanf(line, "%d %d", &user, &d) != 2) continue;
    if (!seen.insert(user).second) continue;

    compute(user, d, index, list);
    if (!list.empty()) {
      ++totals.served;
      const float end = clock_reading();
      totals.total_seconds += (end - start) / kClockTicksPerSecond;
    }
  }
  return totals;
}

float average_seconds(const ServingTotals& totals) {
  return totals.total_seconds / static_cast<float>(totals.served);
}

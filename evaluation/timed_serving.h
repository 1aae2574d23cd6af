// The timed loop shared by the two evaluations.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "index/flat_int_map.h"
#include "util/progress.h"

namespace quadmine {

struct ServingTotals {
  int served = 0;              // users whose list was not empty
  float total_seconds = 0.0f;  // sum of their timed spans
};

// Processor time as a float number of clock ticks.
float clock_reading();

// Seconds between two clock readings, in single precision.
float seconds_between(float start, float end);

// Reads "user d" from a line as sscanf's "%d %d" does; false when the line
// does not begin with two integers (or one does not fit an int, which the
// report never writes).
bool read_user_line(const char* line, int& user, int& d);

// Rewinds `users_only` (lines "user d", as the report writes them) and reads
// it line by line. The first line of each user serves that user:
// compute(user, d, list) fills `list` (clearing it first), and when the list
// is not empty the user is counted and its processor time is added to the
// total. Later lines of a user are skipped, and so is a line that does not
// hold two integers; neither is counted nor timed.
//
// A user's timed span runs from the clock reading taken right after its line
// was read to the reading taken once its list is known to be non-empty: it
// covers parsing the line, the seen-user test and the computation.
template <typename Compute>
ServingTotals time_each_user(std::FILE* users_only, Compute&& compute) {
  ServingTotals totals;
  FlatIntMap seen;  // user -> number, in order of first sight
  std::vector<int> list;
  char line[100];

  std::rewind(users_only);
  std::size_t lines_read = 0;
  while (std::fgets(line, sizeof line, users_only) != nullptr) {
    progress_step(++lines_read);  // before the user's timed span starts
    const float start = clock_reading();
    int user = 0;
    int d = 0;
    if (!read_user_line(line, user, d)) continue;
    const auto fresh = static_cast<std::uint32_t>(seen.size());
    if (seen.emplace(user, fresh) != fresh) continue;

    compute(user, d, list);
    if (!list.empty()) {
      ++totals.served;
      totals.total_seconds += seconds_between(start, clock_reading());
    }
  }
  return totals;
}

// total / served in single precision; with no user served that is 0/0, a
// NaN, by design.
float average_seconds(const ServingTotals& totals);

}  // namespace quadmine

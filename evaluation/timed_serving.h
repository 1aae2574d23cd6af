// The timed loop shared by the two evaluations.
//
// time_each_user(users_only, index, compute) rewinds `users_only` (lines
// "user d", as the report writes them) and reads it line by line. The first
// line of each user serves that user: compute(user, d, index, list) fills
// `list`, and when the list is not empty the user is counted and its processor
// time is added to the total. Later lines of a user are skipped, and so is a
// line that does not hold two integers; neither is counted nor timed.
//
// A user's timed span runs from the clock reading taken right after its line
// was read to the reading taken once its list is known to be non-empty: it
// covers parsing the line, the seen-user test and the computation. Clock
// readings are converted to float and every duration is computed in single
// precision, in seconds.
//
// average_seconds(totals) is total / served in single precision; with no user
// served that is 0/0, a NaN, by design.
#pragma once

#include <cstdio>
#include <vector>

#include "evaluation/reported_index.h"

// Fills `list` (cleared first) with what `user`, served with D value `d`,
// receives from the reported concepts of the index.
using PerUserComputation = void (*)(int user, int d, ReportedIndex& index,
                                    std::vector<int>& list);

struct ServingTotals {
  int served = 0;              // users whose list was not empty
  float total_seconds = 0.0f;  // sum of their timed spans
};

ServingTotals time_each_user(std::FILE* users_only, ReportedIndex& index,
                             PerUserComputation compute);

float average_seconds(const ServingTotals& totals);

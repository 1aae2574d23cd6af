// Resource recommendation, the first timed evaluation of a run.
//
// recommend_resources(user, d, index, recommendation)
//   Clears `recommendation` and fills it with the resources of every reported
//   concept whose D set begins with d and whose U set does not contain `user`,
//   in store order then R-set order, each resource once (first-seen order).
//   Only the first D value of a concept is compared; a concept without any
//   D value matches nothing.
//
// recomm_generale(users_only)
//   Serves every distinct user of the stream (see time_each_user) with its
//   resource recommendation over ens_tc2 and prints, with no final newline,
//     "\n Number of Unique Users : %d"                  users with a non-empty list
//     "\n Resource Recommendations: Average Time = %f"  their average seconds
//   The average is NaN when no user was served. The stream is left at its end.
#pragma once

#include <cstdio>
#include <vector>

#include "evaluation/reported_index.h"
#include "store/triconcept.h"

void recommend_resources(int user, int d, ReportedIndex& index,
                         std::vector<int>& recommendation);
std::vector<int> recommend_resources(int user, int d, const std::vector<TriConcept>& reported);

void recomm_generale(std::FILE* users_only);

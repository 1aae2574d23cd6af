// Resource recommendation, the first timed evaluation of a run.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "evaluation/reported_index.h"
#include "index/epoch_set.h"
#include "store/triconcept.h"

namespace quadmine {

// Clears `recommendation` and fills it with the resources of every reported
// concept whose D set begins with d and whose U set does not contain `user`,
// in store order then R-set order, each resource once (first-seen order).
// Only the first D value of a concept is compared; a concept without any D
// value matches nothing. `seen` is scratch with room for index.numbered().
void recommend_resources(int user, int d, const ReportedIndex& index, EpochSet& seen,
                         std::vector<int>& recommendation);

// The same list for a user of group g (g is not kNoGroup), as indexes in
// index.resources_of(g).
void recommend_resource_slots(int user, std::uint32_t g, const ReportedIndex& index, EpochSet& seen,
                              std::vector<std::uint32_t>& slots);

// The same over a store of reported concepts, for one query.
std::vector<int> recommend_resources(int user, int d, const std::vector<TriConcept>& reported);

// Serves every distinct user of the stream (see time_each_user) with its
// resource recommendation over `reported` and prints, with no final newline,
//   "\n Number of Unique Users : %d"                  users with a non-empty list
//   "\n Resource Recommendations: Average Time = %f"  their average seconds
// The average is NaN when no user was served. The stream is left at its end.
void evaluate_resource_recommendation(const std::vector<TriConcept>& reported,
                                      std::FILE* users_only);

}  // namespace quadmine

// evaluate_resource_recommendation(ens_tc2, users_only).
void recomm_generale(std::FILE* users_only);

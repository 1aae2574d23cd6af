// User proposition, the second and last timed evaluation of a run.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "evaluation/reported_index.h"
#include "index/epoch_set.h"
#include "store/triconcept.h"

namespace quadmine {

// Clears `proposal` and fills it with the users of every reported concept
// whose D set begins with d (whether or not it contains `user`), in store
// order then U-set order, each user once (first-seen order), `user` itself
// left out. Only the first D value of a concept is compared; a concept without
// any D value matches nothing. The index lists each group's users, so `seen`
// (scratch with room for index.numbered()) is not used.
void propose_users(int user, int d, const ReportedIndex& index, EpochSet& seen,
                   std::vector<int>& proposal);

// The same proposal for a user of group g (g is not kNoGroup), as indexes in
// index.users_of(g).
void propose_user_slots(int user, std::uint32_t g, const ReportedIndex& index,
                        std::vector<std::uint32_t>& slots);

// The same over a store of reported concepts, for one query.
std::vector<int> propose_users(int user, int d, const std::vector<TriConcept>& reported);

// Serves every distinct user of the stream (see time_each_user) with its
// proposal over `reported` and prints, with no final newline,
//   "\n User Proposition: Average Time = %f"
// the average seconds over the users with a non-empty proposal (NaN when there
// is none). The count of those users is not printed. The stream is left at its
// end.
void evaluate_user_proposition(const std::vector<TriConcept>& reported, std::FILE* users_only);

}  // namespace quadmine

// evaluate_user_proposition(ens_tc2, users_only).
void recomm_generale_users(std::FILE* users_only);

// The recommendation methods measured against the future: which of the
// resources a user was recommended it actually took up in the test part.
//
// The evaluated users are the served users (users_only.txt's, each with the
// D value of its first line) that have at least one test line. For a user,
// the relevant resources are the distinct resources of its test lines, and
// the known ones those of its training lines. At each list length k:
//   precision  hits among the first k elements of its list / k (a shorter list
//              still divides by k);
//   recall     hits / relevant resources;
//   hit rate   1 when it has a hit, else 0;
// each averaged over the evaluated users (one with an empty list counts, with
// no hit; all three are 0 when there is no evaluated user), and
//   coverage   distinct resources in the first-k lists of all evaluated users
//              / distinct resources of the training part.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "evaluation/known_resources.h"
#include "evaluation/served_users.h"
#include "store/triconcept.h"

namespace quadmine {

enum class Method { FirstSeen, Support, FirstSeenNew, SupportNew, PopularNew };
inline constexpr std::array<Method, 5> kMethods = {Method::FirstSeen, Method::Support,
                                                   Method::FirstSeenNew, Method::SupportNew,
                                                   Method::PopularNew};
// "first-seen", "support", "first-seen-new", "support-new", "popular-new".
const char* method_name(Method method);

struct Score {
  Method method;
  std::size_t k;
  std::size_t users;  // evaluated users
  double precision;
  double recall;
  double hit_rate;
  double coverage;
};

// What the methods are measured on.
struct EvaluationData {
  const std::vector<TriConcept>& reported;  // the training run's concepts
  const std::vector<ServedUser>& served;    // and its users
  const KnownResources& training;           // resources per user, training part
  const KnownResources& test;               // resources per user, test part
};

// The scores of every method (kMethods order) at every k (in the order of
// `ks`, each at least 1).
std::vector<Score> score_methods(const EvaluationData& data, std::span<const std::size_t> ks);

// The evaluated users of `data`: the served users with a test line.
std::vector<ServedUser> evaluated_users(const EvaluationData& data);

}  // namespace quadmine

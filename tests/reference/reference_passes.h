// The plain forms of the three mining passes, the report loop and the two
// per-user evaluations: each rule written out as it reads, scanning the stores
// and lists with the set primitives. The program's indexed forms must give
// exactly the same results, which check_base checks.
#pragma once

#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "evaluation/known_resources.h"
#include "evaluation/served_users.h"
#include "mining/extension_pass.h"
#include "output/report.h"
#include "store/triconcept.h"

namespace reference {

void find_ts_v3();
void find_rs();
void find_ds();

// The report loop over ens_tc: the report and user lines are appended to the
// two strings, the reported concepts to ens_tc2, and the places they leave in
// ens_tc are emptied.
void write_report(std::string& concepts, std::string& users);

// What a user served with D value d receives from the reported concepts.
std::vector<int> recommendation(int user, int d, const std::vector<TriConcept>& reported);
std::vector<int> proposal(int user, int d, const std::vector<TriConcept>& reported);

// The same lists by decreasing support, ties in list order: a resource's
// support sums the U-set sizes of the concepts that gave it (D set beginning
// with d, U set without the user) and hold it; a user's counts the concepts
// whose D set begins with d and whose U set holds it.
std::vector<int> recommendation_by_support(int user, int d,
                                           const std::vector<TriConcept>& reported);
std::vector<int> proposal_by_support(int user, int d, const std::vector<TriConcept>& reported);

// `list` without the elements of `known`.
std::vector<int> without(std::vector<int> list, const std::vector<int>& known);

}  // namespace reference

// check_base(base, minsupp, options), the differential check of the unit tests
// and the fuzz target: loads the base with the program's loader, then runs the
// mining passes, report and evaluations of the program (its resource pass, D
// pass and report with `options`) and the plain forms above.
// Each pass starts from the store both agreed on after the step before, so a
// difference names its step. Returns "" when everything agrees, kRejected when
// the loader refuses the base (nothing else is compared then), and otherwise
// what differs.
//
// contents(f) is everything in the stream f; printed_by(body) is what body
// prints on standard output.
struct MinSupp {
  int u, t, r, d;
};

struct ProgramOptions {
  quadmine::ExtensionOptions resources;
  quadmine::ExtensionOptions ds;
  quadmine::ReportOptions report;
};

inline const std::string kRejected = "the loader rejected the base";

std::string check_base(const std::string& base, const MinSupp& minsupp,
                       const ProgramOptions& options = {});

// The (user, resource) pairs of the lines of `base`.
quadmine::KnownResources base_resources(const std::string& base);

// Holds every list that RecommendationLists builds over `reported` (both
// lists, first-seen and by support, whole, without the user's resources in
// `known`, and cut) against the plain forms, for each served user with its D
// value, for a stranger with that D value, and for the user with the D value
// after its own. Returns "" when all agree, otherwise which lists differ.
std::string compare_lists(const std::vector<TriConcept>& reported,
                          std::span<const quadmine::ServedUser> served,
                          const quadmine::KnownResources& known);

std::string contents(std::FILE* f);
std::string printed_by(const std::function<void()>& body);

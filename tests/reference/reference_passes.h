// The plain forms of the three mining passes, the report loop and the two
// per-user evaluations: each rule written out as it reads, scanning the stores
// and lists with the set primitives. The program's indexed forms must give
// exactly the same results, which check_base checks.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

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

std::string contents(std::FILE* f);
std::string printed_by(const std::function<void()>& body);

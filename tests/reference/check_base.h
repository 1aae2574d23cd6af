// The differential check shared by the unit tests and the fuzz target.
//
// check_base(base, minsupp) loads the base with the program's loader, then
// runs the mining passes, report and evaluations of the program and the plain
// forms of reference_passes.h. Each pass starts from the store both agreed on
// after the step before, so a difference names its step. Returns "" when everything
// agrees, kRejected when the program's loader refuses the base (nothing else
// is compared then), and otherwise what differs.
//
// contents(f) is everything in the stream f; printed_by(body) is what body
// prints on standard output.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

struct MinSupp {
  int u, t, r, d;
};

inline const std::string kRejected = "the loader rejected the base";

std::string check_base(const std::string& base, const MinSupp& minsupp);

std::string contents(std::FILE* f);
std::string printed_by(const std::function<void()>& body);

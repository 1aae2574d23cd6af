// The result files of a run read back: the reported concepts of
// quadri_concepts.txt and the users served from users_only.txt, checked to be
// the two files one run wrote.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "evaluation/served_users.h"
#include "store/triconcept.h"
#include "util/status.h"

namespace quadmine {

struct RunResults {
  // The reported concepts in report order, holding what the lists read: the
  // U set, the R set and the first D value (the T set and the other D values
  // are left out).
  std::vector<TriConcept> reported;
  // The users of users_only.txt, each once, in order of first appearance,
  // with the D value of its first line.
  std::vector<ServedUser> served;
};

// Reads the concepts of `concepts` (named `name` in messages). Fails as
// ConceptFileReader does, or with "NAME: concept N has an empty S set (not a
// report of quadmine)", S one of U, T, R, D: a report only holds concepts
// whose four sets reach thresholds of at least 1.
Result<std::vector<TriConcept>> read_reported_concepts(std::FILE* concepts,
                                                       const std::string& name);

// Checks that `users_only` (named `name`, read from where it stands) is the
// file a run writes beside `reported`: for each concept in order, one line
// "USER D" per element of its U set, D its first D value, and nothing else.
// Fails with "NAME:LINE: not the users of the concepts of REPORT (expected
// 'USER D')", "NAME:LINE: a line after the users of the concepts of REPORT",
// "NAME: ends before the users of concept N of REPORT" or "NAME:LINE: read
// error"; REPORT is `report`, the name of the concepts' file.
Status check_users_file(std::FILE* users_only, const std::string& name,
                        const std::vector<TriConcept>& reported, const std::string& report);

// Reads DIR/quadri_concepts.txt and DIR/users_only.txt, checks them as above
// and gives the concepts and the users served. Fails with "cannot open PATH:
// REASON" when either file is missing, or as the functions above.
Result<RunResults> read_run_results(const std::string& dir);

}  // namespace quadmine

// The training part of a base mined in memory, as quadmine would mine it from
// a file holding only those lines.
#pragma once

#include <string>
#include <vector>

#include "evaluation/served_users.h"
#include "store/thresholds.h"
#include "store/triconcept.h"
#include "util/status.h"

namespace quadmine {

struct TrainingRun {
  std::vector<TriConcept> reported;  // the reported concepts, in report order
  std::string concepts;              // quadri_concepts.txt, byte for byte
  std::string users_only;            // users_only.txt, byte for byte
  std::vector<ServedUser> served;    // the users of users_only, as the run serves them
};

// Loads `base_text` (quadruple lines), runs the three mining passes and the
// report with `thresholds`, the two result files written to memory: the same
// phases as a run of quadmine, which gives the same files. Nothing is
// written to disk. Fails when the text is not a valid base (the loader's
// message, naming the base "training part") or memory streams cannot be made.
Result<TrainingRun> mine_training(const std::string& base_text, const Thresholds& thresholds);

}  // namespace quadmine

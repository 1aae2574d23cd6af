#include "mining/passes.h"

#include "mining/extension_pass.h"
#include "mining/tag_pass.h"

namespace quadmine {

void run_mining_passes(std::vector<TriConcept>& store, int lines_read, const Thresholds& thresholds,
                       const ExtensionOptions& options) {
  extend_tags(store, lines_read, thresholds.u);
  extend_resources(store, thresholds, options);
  extend_ds(store, thresholds, options);
}

}  // namespace quadmine

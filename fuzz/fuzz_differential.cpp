// Fuzz target comparing the indexed mining passes and report with the plain
// reference ones (tests/reference) on an in-memory base (input format in
// support.h). From the loaded store, each pass is run both ways from the same
// store and must leave the same store; the report must then write the same
// text and report the same concepts. The target aborts on any difference.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/support.h"
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
#include "output/report.h"
#include "reference/reference_passes.h"
#include "store/globals.h"

namespace {

// Runs one pass both ways from `before` and leaves the common result in ens_tc.
void compare_pass(const char* name, void (*indexed)(), void (*plain)(),
                  const std::vector<TriConcept>& before) {
  ens_tc = before;
  plain();
  const std::vector<TriConcept> want = ens_tc;
  ens_tc = before;
  indexed();
  if (ens_tc != want) fuzz::violated(name);
}

void run(const std::uint8_t* data, std::size_t size) {
  if (!fuzz::load_input(data, size)) return;
  compare_pass("the tag pass differs from the reference", find_ts_v3, reference::find_ts_v3,
               std::vector<TriConcept>(ens_tc));
  compare_pass("the resource pass differs from the reference", find_rs, reference::find_rs,
               std::vector<TriConcept>(ens_tc));
  compare_pass("the D pass differs from the reference", find_ds, reference::find_ds,
               std::vector<TriConcept>(ens_tc));

  const std::vector<TriConcept> mined = ens_tc;
  std::string want_concepts, want_users;
  reference::write_report(want_concepts, want_users);
  const std::vector<TriConcept> want_reported = ens_tc2;
  const std::vector<TriConcept> want_left = ens_tc;

  ens_tc = mined;
  ens_tc2.clear();
  fuzz::Stream concepts(std::tmpfile());
  fuzz::Stream users_only(std::tmpfile());
  write_report(concepts.get(), users_only.get());
  if (fuzz::read_back(concepts.get()) != want_concepts) {
    fuzz::violated("quadri_concepts.txt differs from the reference report");
  }
  if (fuzz::read_back(users_only.get()) != want_users) {
    fuzz::violated("users_only.txt differs from the reference report");
  }
  if (ens_tc2 != want_reported) fuzz::violated("ens_tc2 differs from the reference report");
  if (ens_tc != want_left) fuzz::violated("ens_tc after the report differs from the reference");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  run(data, size);
  fuzz::release_stores();
  return 0;
}

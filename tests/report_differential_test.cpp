// The report writer against a plain report loop built on test_inclusionFINAL,
// on thousands of random stores with small domains, so that containments,
// equal copies and repeated elements are frequent.
#include <cstdio>
#include <random>
#include <string>

#include "output/report.h"
#include "reference/reference_passes.h"
#include "test_support.h"

namespace {

class ReportDifferential : public StoreTest {};

TEST_F(ReportDifferential, AgreesWithThePlainLoop) {
  std::mt19937 rng(7);
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < 3000; ++round) {
    const int domain = pick(2, 4);
    std::vector<TriConcept> store(static_cast<std::size_t>(pick(0, 12)));
    for (TriConcept& c : store) {
      for (std::vector<int>* set : {&c.us, &c.ts, &c.rs, &c.ds}) {
        const int n = pick(1, 3);
        for (int k = 0; k < n; ++k) set->push_back(pick(1, domain));
      }
    }
    // Duplicates of earlier records, sometimes reordered.
    for (int d = pick(0, 3); d > 0 && !store.empty(); --d) {
      TriConcept copy =
          store[static_cast<std::size_t>(pick(0, static_cast<int>(store.size()) - 1))];
      std::shuffle(copy.us.begin(), copy.us.end(), rng);
      store.insert(store.begin() + pick(0, static_cast<int>(store.size())), copy);
    }
    const int mu = pick(1, 2), mt = pick(1, 2), mr = pick(1, 2), md = pick(1, 2);

    reset_run_state();
    minsupp_u = mu, minsupp_t = mt, minsupp_r = mr, minsupp_d = md;
    ens_tc = store;
    std::string want_concepts, want_users;
    reference::write_report(want_concepts, want_users);
    const std::vector<TriConcept> want_store = ens_tc, want_reported = ens_tc2;

    reset_run_state();
    minsupp_u = mu, minsupp_t = mt, minsupp_r = mr, minsupp_d = md;
    ens_tc = store;
    std::FILE* concepts = std::tmpfile();
    std::FILE* users = std::tmpfile();
    write_report(concepts, users);
    ASSERT_EQ(read_and_close(concepts), want_concepts) << "round " << round;
    ASSERT_EQ(read_and_close(users), want_users) << "round " << round;
    ASSERT_EQ(ens_tc2, want_reported) << "round " << round;
    ASSERT_EQ(ens_tc, want_store) << "round " << round;
  }
}

}  // namespace

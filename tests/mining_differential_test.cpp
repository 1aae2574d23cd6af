// The indexed passes and report against the plain reference, on thousands of
// generated bases with small domains, so that groups, containments, repeated
// users and erasures are frequent. Every pass must leave exactly the store the
// reference leaves, and the report must write exactly the same text.
//
// QUADMINE_DIFF_ROUNDS and QUADMINE_DIFF_SEED in the environment set the
// number of bases and the seed (a long run is tests/run_differential.sh).
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "loader/loader.h"
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
#include "output/report.h"
#include "reference/reference_passes.h"
#include "test_support.h"

namespace {

struct Thresholds {
  int u, t, r, d;
};

void set_thresholds(const Thresholds& th) {
  minsupp_u = th.u;
  minsupp_t = th.t;
  minsupp_r = th.r;
  minsupp_d = th.d;
}

// A base of `lines` lines over small domains. Lines come in runs sharing tag,
// resource and D (as in sorted real bases), with repeated lines now and then.
std::string generate_base(std::mt19937& rng, int lines) {
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int users = pick(2, 7), tags = pick(1, 5), resources = pick(1, 4), ds = pick(1, 3);
  std::string base;
  int written = 0;
  while (written < lines) {
    const int t = pick(1, tags), r = pick(1, resources), d = pick(1, ds);
    for (int k = pick(1, 4); k > 0 && written < lines; --k, ++written) {
      base += std::to_string(pick(1, users)) + " " + std::to_string(t) + " " + std::to_string(r) +
              " " + std::to_string(d) + "\n";
    }
  }
  return base;
}

void load(const std::string& base) {
  std::FILE* f = std::tmpfile();
  std::fwrite(base.data(), 1, base.size(), f);
  std::rewind(f);
  fp = f;
  ASSERT_EQ(load_la_base().status, LoadStatus::Ok);
  std::fclose(f);
  fp = nullptr;
}

class MiningDifferential : public StoreTest {
 protected:
  // Runs one pass both ways from `before`; returns the (common) store after.
  std::vector<TriConcept> compare(const char* name, void (*fast)(), void (*plain)(),
                                  const std::vector<TriConcept>& before, int round) {
    ens_tc = before;
    plain();
    const std::vector<TriConcept> want = ens_tc;
    ens_tc = before;
    fast();
    EXPECT_EQ(ens_tc, want) << name << " differs on base " << round;
    return want;
  }
};

TEST_F(MiningDifferential, PassesAndReportMatchThePlainOnes) {
  const char* env = std::getenv("QUADMINE_DIFF_ROUNDS");
  const int rounds = env != nullptr ? std::atoi(env) : 1500;
  const char* seed = std::getenv("QUADMINE_DIFF_SEED");
  std::mt19937 rng(seed != nullptr ? static_cast<unsigned>(std::atol(seed)) : 20261206u);
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < rounds && !HasFailure(); ++round) {
    // One base in four is long enough for the tail window of 50.
    const int lines = round % 4 == 0 ? pick(200, 320) : pick(1, 60);
    const std::string base = generate_base(rng, lines);
    const Thresholds th{pick(1, 3), pick(1, 3), pick(1, 3), pick(1, 3)};
    SCOPED_TRACE("thresholds " + std::to_string(th.u) + " " + std::to_string(th.t) + " " +
                 std::to_string(th.r) + " " + std::to_string(th.d) + "\nbase:\n" + base);

    reset_run_state();
    set_thresholds(th);
    load(base);
    std::vector<TriConcept> store = ens_tc;
    store = compare("tag pass", find_ts_v3, reference::find_ts_v3, store, round);
    store = compare("resource pass", find_rs, reference::find_rs, store, round);
    store = compare("D pass", find_ds, reference::find_ds, store, round);

    ens_tc = store;
    ens_tc2.clear();
    std::string want_concepts, want_users;
    reference::write_report(want_concepts, want_users);
    const std::vector<TriConcept> want_reported = ens_tc2;

    ens_tc = store;
    ens_tc2.clear();
    std::FILE* concepts = std::tmpfile();
    std::FILE* users = std::tmpfile();
    write_report(concepts, users);
    EXPECT_EQ(read_and_close(concepts), want_concepts) << "report differs on base " << round;
    EXPECT_EQ(read_and_close(users), want_users) << "users differ on base " << round;
    EXPECT_EQ(ens_tc2, want_reported);
  }
}

}  // namespace

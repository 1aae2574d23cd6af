// The report writer against a plain report loop built on test_inclusionFINAL,
// on thousands of random stores with small domains, so that containments,
// equal copies and repeated elements are frequent.
#include <cstdio>
#include <random>
#include <string>

#include "output/final_filter.h"
#include "output/report.h"
#include "test_support.h"

namespace {

// The plain loop: examine each position of the shrinking store in turn; when
// equal copies before it were erased, the examined record moved down.
void reference_report(std::string& concepts, std::string& users) {
  for (std::size_t i = 0; i < ens_tc.size(); ++i) {
    const TriConcept& c = ens_tc[i];
    if (c.us.size() < static_cast<std::size_t>(minsupp_u) ||
        c.ts.size() < static_cast<std::size_t>(minsupp_t) ||
        c.rs.size() < static_cast<std::size_t>(minsupp_r) ||
        c.ds.size() < static_cast<std::size_t>(minsupp_d)) {
      continue;
    }
    bool subsumed = false;
    int before = 0;
    test_inclusionFINAL(static_cast<int>(i), ens_tc[i], ens_tc, subsumed, &before);
    i -= static_cast<std::size_t>(before);
    if (subsumed) continue;
    const TriConcept& r = ens_tc[i];
    ens_tc2.push_back(r);
    const auto put = [&](const std::vector<int>& set) {
      for (const int x : set) concepts += std::to_string(x) + ", ";
    };
    concepts += "\nU = {";
    put(r.us);
    concepts += "},  T = {";
    put(r.ts);
    concepts += "},  R = {";
    put(r.rs);
    concepts += "},  D = {";
    put(r.ds);
    concepts += "}";
    for (const int u : r.us) users += std::to_string(u) + " " + std::to_string(r.ds[0]) + "\n";
  }
}

std::string slurp(std::FILE* f) {
  std::rewind(f);
  std::string s;
  for (int ch; (ch = std::fgetc(f)) != EOF;) s.push_back(static_cast<char>(ch));
  std::fclose(f);
  return s;
}

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
      TriConcept copy = store[static_cast<std::size_t>(pick(0, static_cast<int>(store.size()) - 1))];
      std::shuffle(copy.us.begin(), copy.us.end(), rng);
      store.insert(store.begin() + pick(0, static_cast<int>(store.size())), copy);
    }
    const int mu = pick(1, 2), mt = pick(1, 2), mr = pick(1, 2), md = pick(1, 2);

    reset_run_state();
    minsupp_u = mu, minsupp_t = mt, minsupp_r = mr, minsupp_d = md;
    ens_tc = store;
    std::string want_concepts, want_users;
    reference_report(want_concepts, want_users);
    const std::vector<TriConcept> want_store = ens_tc, want_reported = ens_tc2;

    reset_run_state();
    minsupp_u = mu, minsupp_t = mt, minsupp_r = mr, minsupp_d = md;
    ens_tc = store;
    std::FILE* concepts = std::tmpfile();
    std::FILE* users = std::tmpfile();
    write_report(concepts, users);
    ASSERT_EQ(slurp(concepts), want_concepts) << "round " << round;
    ASSERT_EQ(slurp(users), want_users) << "round " << round;
    ASSERT_EQ(ens_tc2, want_reported) << "round " << round;
    ASSERT_EQ(ens_tc, want_store) << "round " << round;
  }
}

}  // namespace

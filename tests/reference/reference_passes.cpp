#include "reference/reference_passes.h"

#include <unistd.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "evaluation/recommendation_lists.h"
#include "evaluation/resource_recommendation.h"
#include "evaluation/served_users.h"
#include "evaluation/user_proposition.h"
#include "loader/base_line.h"
#include "loader/loader.h"
#include "mining/extension_pass.h"
#include "mining/subsumption.h"
#include "mining/tag_pass.h"
#include "output/final_filter.h"
#include "output/report.h"
#include "store/globals.h"
#include "store/set_primitives.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace reference {
namespace {

using Set = std::vector<int> TriConcept::*;

bool reaches(const std::vector<int>& set, int threshold) { return std::ssize(set) >= threshold; }

// Appends each element of `from` that `into` lacks, in `from`'s order.
void absorb(const std::vector<int>& from, std::vector<int>& into) {
  for (const int x : from)
    if (!containsStandard(into, x)) into.push_back(x);
}

void erase(std::vector<int>& positions) {
  nettoyage_de_la_baseStandard(positions);
  positions.clear();
}

// The resource pass (grown rs, gate ts, third ds) or the D pass (grown ds,
// gate rs, third rs, whose length then also counts before erasing).
void extend(Set grown, Set gate, int gate_min, Set third, int third_min,
            std::vector<int>& erasure) {
  std::vector<TriConcept> fresh;
  erasure.clear();
  for (std::size_t i = 0; i + 1 < ens_tc.size(); ++i) {
    erase(erasure);
    if (i >= ens_tc.size()) break;
    TriConcept& cur = ens_tc[i];
    if (!reaches(cur.*gate, gate_min)) continue;
    for (std::size_t k = i + 1; k < ens_tc.size(); ++k) {
      const TriConcept& n = ens_tc[k];
      if (!reaches(n.*gate, gate_min)) continue;
      if (inclus_egalStandard(cur.us, n.us) && inclus_egalStandard(cur.ts, n.ts) &&
          inclus_egalStandard(cur.*third, n.*third) &&
          !containsStandard(cur.*grown, (n.*grown)[0])) {
        absorb(n.*grown, cur.*grown);
        if (cur.ts.size() == n.ts.size() && cur.us.size() == n.us.size() &&
            (third == &TriConcept::ds || cur.rs.size() == n.rs.size())) {
          erasure.push_back(static_cast<int>(k));
        }
        continue;
      }
      TriConcept c;
      elements_en_commun(cur.ts, n.ts, c.ts);
      elements_en_commun(cur.us, n.us, c.us);
      elements_en_commun(cur.*third, n.*third, c.*third);
      if (!reaches(c.ts, minsupp_t) || !reaches(c.us, minsupp_u) || !reaches(c.*third, third_min)) {
        continue;
      }
      c.*grown = cur.*grown;
      absorb(n.*grown, c.*grown);
      bool covered = false;
      test_inclusionRS(c, fresh, covered);
      if (!covered) fresh.push_back(c);
    }
  }
  ens_tc.insert(ens_tc.end(), fresh.begin(), fresh.end());
  erase(erasure);
}

std::string elements(const std::vector<int>& set) {
  std::string text;
  for (const int x : set) text += std::to_string(x) + ", ";
  return text;
}

}  // namespace

void find_ts_v3() {
  const auto same_r_and_d = [](const TriConcept& a, const TriConcept& b) {
    return a.rs[0] == b.rs[0] && a.ds[0] == b.ds[0];
  };
  const std::size_t window = ijk >= 200 ? 50 : 3;
  std::vector<TriConcept> fresh;
  indices_ts.clear();
  for (std::size_t i = 0; i + window < ens_tc.size(); ++i) {
    erase(indices_ts);
    if (i >= ens_tc.size()) break;
    TriConcept& cur = ens_tc[i];
    for (std::size_t k = i; k-- > 0 && same_r_and_d(cur, ens_tc[k]);) {
      if (inclus_egalStandard(cur.us, ens_tc[k].us)) absorb(ens_tc[k].ts, cur.ts);
    }
    for (std::size_t k = i + 1; k < ens_tc.size() && same_r_and_d(cur, ens_tc[k]); ++k) {
      const TriConcept& n = ens_tc[k];
      if (inclus_egalStandard(cur.us, n.us)) {
        absorb(n.ts, cur.ts);
        if (cur.us.size() == n.us.size()) indices_ts.push_back(static_cast<int>(k));
        continue;
      }
      TriConcept c;
      elements_en_commun(cur.us, n.us, c.us);
      if (inclus_egalStandard(n.us, cur.us) || !reaches(c.us, minsupp_u)) continue;
      c.ts = cur.ts, c.rs = {cur.rs[0]}, c.ds = {cur.ds[0]};
      absorb(n.ts, c.ts);
      bool covered = false;
      test_inclusion(c, fresh, covered);
      if (!covered) fresh.push_back(c);
    }
  }
  erase(indices_ts);
  for (TriConcept& m : fresh) {  // the merge phase
    for (std::size_t c = 0; c < ens_tc.size(); ++c) {
      const TriConcept& e = ens_tc[c];
      if (e.rs != m.rs || e.ds != m.ds || !inclus_egalStandard(m.us, e.us)) continue;
      absorb(e.ts, m.ts);
      if (m.us.size() == e.us.size()) indices_ts.push_back(static_cast<int>(c));
    }
    erase(indices_ts);
  }
  ens_tc.insert(ens_tc.end(), fresh.begin(), fresh.end());
}

void find_rs() {
  extend(&TriConcept::rs, &TriConcept::ts, minsupp_t, &TriConcept::ds, minsupp_d, indices_rs);
}

void find_ds() {
  extend(&TriConcept::ds, &TriConcept::rs, minsupp_r, &TriConcept::rs, minsupp_r, indices_ds);
}

void write_report(std::string& concepts, std::string& users) {
  for (std::size_t i = 0; i < ens_tc.size(); ++i) {
    const TriConcept& c = ens_tc[i];
    if (!reaches(c.us, minsupp_u) || !reaches(c.ts, minsupp_t) || !reaches(c.rs, minsupp_r) ||
        !reaches(c.ds, minsupp_d)) {
      continue;
    }
    bool subsumed = false;
    int erased_before = 0;
    test_inclusionFINAL(static_cast<int>(i), c, ens_tc, subsumed, &erased_before);
    i -= static_cast<std::size_t>(erased_before);  // the examined concept moved down
    if (subsumed) continue;
    const TriConcept& r = ens_tc[i];
    ens_tc2.push_back(r);
    concepts += "\nU = {" + elements(r.us) + "},  T = {" + elements(r.ts) + "},  R = {" +
                elements(r.rs) + "},  D = {" + elements(r.ds) + "}";
    for (const int u : r.us) users += std::to_string(u) + " " + std::to_string(r.ds[0]) + "\n";
  }
  // A reported concept leaves four empty sets in its place, unless it was
  // erased later. No other record equal to it is left in the store.
  auto pending = ens_tc2.begin();
  for (TriConcept& c : ens_tc) {
    const auto same = std::find(pending, ens_tc2.end(), c);
    if (same == ens_tc2.end()) continue;
    c = TriConcept{};
    pending = same + 1;
  }
}

std::vector<int> recommendation(int user, int d, const std::vector<TriConcept>& reported) {
  std::vector<int> list;
  for (const TriConcept& c : reported) {
    if (c.ds[0] == d && !containsStandard(c.us, user)) absorb(c.rs, list);
  }
  return list;
}

std::vector<int> proposal(int user, int d, const std::vector<TriConcept>& reported) {
  std::vector<int> list;
  for (const TriConcept& c : reported)
    if (c.ds[0] == d) absorb(c.us, list);
  std::erase(list, user);
  return list;
}

namespace {

// `list` stably sorted by decreasing support.
std::vector<int> by_support(std::vector<int> list, const std::map<int, long>& support) {
  std::stable_sort(list.begin(), list.end(),
                   [&](int a, int b) { return support.at(a) > support.at(b); });
  return list;
}

}  // namespace

std::vector<int> recommendation_by_support(int user, int d,
                                           const std::vector<TriConcept>& reported) {
  std::map<int, long> support;
  for (const TriConcept& c : reported) {
    if (c.ds[0] != d || containsStandard(c.us, user)) continue;
    for (const int r : std::set<int>(c.rs.begin(), c.rs.end())) support[r] += std::ssize(c.us);
  }
  return by_support(recommendation(user, d, reported), support);
}

std::vector<int> proposal_by_support(int user, int d, const std::vector<TriConcept>& reported) {
  std::map<int, long> support;
  for (const TriConcept& c : reported) {
    if (c.ds[0] != d) continue;
    for (const int v : std::set<int>(c.us.begin(), c.us.end())) ++support[v];
  }
  return by_support(proposal(user, d, reported), support);
}

std::vector<int> without(std::vector<int> list, const std::vector<int>& known) {
  std::erase_if(list, [&](int x) { return containsStandard(known, x); });
  return list;
}

}  // namespace reference

namespace {

using Stream = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
using Store = std::vector<TriConcept>;

Stream temporary(const std::string& text = "") {
  Stream f(std::tmpfile(), &std::fclose);
  std::fwrite(text.data(), 1, text.size(), f.get());
  std::rewind(f.get());
  return f;
}

// Runs both forms of a pass from `store`, which becomes the plain result.
bool same_pass(const std::function<void()>& program, void (*plain)(), Store& store) {
  ens_tc = store;
  plain();
  std::swap(store, ens_tc);
  program();
  return ens_tc == store;
}

}  // namespace

std::string contents(std::FILE* f) {
  std::string text;
  std::rewind(f);
  for (int c; (c = std::fgetc(f)) != EOF;) text.push_back(static_cast<char>(c));
  return text;
}

std::string printed_by(const std::function<void()>& body) {
  const Stream sink = temporary();
  std::fflush(stdout);
  const int saved = dup(STDOUT_FILENO);
  dup2(fileno(sink.get()), STDOUT_FILENO);
  body();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  return contents(sink.get());
}

KnownResources base_resources(const std::string& base) {
  std::vector<KnownResources::Pair> pairs;
  std::istringstream lines(base);
  for (std::string line; std::getline(lines, line);) {
    Quad q{};
    const LineKind kind = parse_base_line(line.data(), line.size(), q);
    if (kind == LineKind::Quadruple || kind == LineKind::WideQuadruple)
      pairs.emplace_back(q[0], q[2]);
  }
  return KnownResources(std::move(pairs));
}

namespace {

// The lists of one user as `lists` builds them, as the plain forms build
// them, under a name for the message.
struct ListPair {
  const char* name;
  std::vector<int> program, plain;
};

std::vector<int> first(std::vector<int> list, std::size_t n) {
  if (list.size() > n) list.resize(n);
  return list;
}

std::vector<ListPair> lists_of(int u, int e, const Store& reported, RecommendationLists& lists,
                               RecommendationLists& users_only, const KnownResources& known) {
  using reference::without;
  const std::span<const int> had = known.of(u);
  const std::vector<int> known_u(had.begin(), had.end());
  const std::vector<int> resources = reference::recommendation(u, e, reported);
  const std::vector<int> ranked = reference::recommendation_by_support(u, e, reported);
  const std::vector<int> users = reference::proposal(u, e, reported);
  const std::vector<int> ranked_users = reference::proposal_by_support(u, e, reported);
  std::vector<ListPair> pairs = {
      {"resources", {}, resources},
      {"users", {}, users},
      {"users (users-only index)", {}, users},
      {"resources by support", {}, ranked},
      {"users by support", {}, ranked_users},
      {"new resources, first 2", {}, first(without(resources, known_u), 2)},
      {"new resources by support", {}, without(ranked, known_u)},
      {"users by support, first 1", {}, first(ranked_users, 1)},
  };
  lists.resources(u, e, pairs[0].program);
  lists.users(u, e, pairs[1].program);
  users_only.users(u, e, pairs[2].program);
  lists.resources(u, e, {Rank::Support, nullptr, kNoLimit}, pairs[3].program);
  lists.users(u, e, {Rank::Support, nullptr, kNoLimit}, pairs[4].program);
  lists.resources(u, e, {Rank::FirstSeen, &known, 2}, pairs[5].program);
  lists.resources(u, e, {Rank::Support, &known, kNoLimit}, pairs[6].program);
  lists.users(u, e, {Rank::Support, &known, 1}, pairs[7].program);
  return pairs;
}

}  // namespace

std::string compare_lists(const Store& reported, std::span<const ServedUser> served,
                          const KnownResources& known) {
  RecommendationLists lists(reported);
  RecommendationLists users_only(reported, RecommendationLists::Lists::UsersOnly);
  // A stranger and a D value after the user's are asked about too.
  for (const auto& [user, d] : served) {
    for (const auto& [u, e] : {std::pair{user, d}, std::pair{-100, d}, std::pair{user, d + 1}}) {
      for (const ListPair& pair : lists_of(u, e, reported, lists, users_only, known)) {
        if (pair.program != pair.plain) {
          return std::string("the ") + pair.name + " lists differ for user " + std::to_string(u) +
                 " and D value " + std::to_string(e);
        }
      }
    }
  }
  return "";
}

std::string check_base(const std::string& base, const MinSupp& minsupp,
                       const ProgramOptions& options) {
  reset_run_state();
  minsupp_u = minsupp.u, minsupp_t = minsupp.t, minsupp_r = minsupp.r, minsupp_d = minsupp.d;
  const Stream input = temporary(base);
  fp = input.get();
  if (!load_la_base().ok()) return kRejected;
  Store store = ens_tc;
  if (!same_pass(find_ts_v3, reference::find_ts_v3, store)) return "the tag pass differs";
  const Thresholds thresholds = thresholds_from_globals();
  const auto resources = [&] { extend_resources(ens_tc, thresholds, options.resources); };
  if (!same_pass(resources, reference::find_rs, store)) return "the resource pass differs";
  const auto ds = [&] { extend_ds(ens_tc, thresholds, options.ds); };
  if (!same_pass(ds, reference::find_ds, store)) return "the D pass differs";

  std::string concepts, users;
  reference::write_report(concepts, users);
  const Store reported = ens_tc2, left = ens_tc;
  ens_tc = store;
  ens_tc2.clear();
  const Stream concepts_file = temporary(), users_file = temporary();
  write_report(ens_tc, ens_tc2, thresholds, concepts_file.get(), users_file.get(), options.report);
  if (contents(concepts_file.get()) != concepts || contents(users_file.get()) != users ||
      ens_tc2 != reported || ens_tc != left) {
    return "the report differs";
  }

  // Each user is served once, with the D value of its first line.
  const Stream users_again = temporary(users);
  const Result<std::vector<ServedUser>> served = read_served_users(users_again.get(), "users");
  std::vector<int> seen;
  std::vector<ServedUser> first_lines;
  std::istringstream lines_written(users);
  for (int user = 0, d = 0; lines_written >> user >> d;) {
    if (std::find(seen.begin(), seen.end(), user) != seen.end()) continue;
    seen.push_back(user);
    first_lines.push_back({user, d});
  }
  if (!served.ok() || served.value() != first_lines) return "the served users differ";
  int given[2] = {0, 0};  // users given resources, users given other users
  for (const auto& [user, d] : first_lines) {
    given[0] += !reference::recommendation(user, d, reported).empty();
    given[1] += !reference::proposal(user, d, reported).empty();
  }
  if (std::string lists = compare_lists(reported, first_lines, base_resources(base));
      !lists.empty()) {
    return lists;
  }
  // The averages are measured times: only the count and whether each average
  // exists (is not NaN) can be compared.
  const std::string out = printed_by([&] {
    recomm_generale(users_file.get());
    recomm_generale_users(users_file.get());
  });
  const std::size_t second = out.find("\n User Proposition: Average Time = ");
  if (out.rfind("\n Number of Unique Users : " + std::to_string(given[0]) + "\n", 0) != 0 ||
      second == std::string::npos || (out.find("nan") < second) != (given[0] == 0) ||
      (out.find("nan", second) == std::string::npos) != (given[1] > 0)) {
    return "the evaluations print " + out;
  }
  return "";
}

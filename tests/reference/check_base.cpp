#include "reference/check_base.h"

#include <unistd.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <vector>

#include "evaluation/resource_recommendation.h"
#include "evaluation/user_proposition.h"
#include "loader/loader.h"
#include "mining/extension_pass.h"
#include "mining/tag_pass.h"
#include "output/report.h"
#include "reference/reference_passes.h"
#include "store/globals.h"

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
bool same_pass(void (*program)(), void (*plain)(), Store& store) {
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

std::string check_base(const std::string& base, const MinSupp& minsupp) {
  reset_run_state();
  minsupp_u = minsupp.u, minsupp_t = minsupp.t, minsupp_r = minsupp.r, minsupp_d = minsupp.d;
  const Stream input = temporary(base);
  fp = input.get();
  if (load_la_base().status != LoadStatus::Ok) return kRejected;
  Store store = ens_tc;
  if (!same_pass(find_ts_v3, reference::find_ts_v3, store)) return "the tag pass differs";
  if (!same_pass(find_rs, reference::find_rs, store)) return "the resource pass differs";
  if (!same_pass(find_ds, reference::find_ds, store)) return "the D pass differs";

  std::string concepts, users;
  reference::write_report(concepts, users);
  const Store reported = ens_tc2, left = ens_tc;
  ens_tc = store;
  ens_tc2.clear();
  const Stream concepts_file = temporary(), users_file = temporary();
  write_report(concepts_file.get(), users_file.get());
  if (contents(concepts_file.get()) != concepts || contents(users_file.get()) != users ||
      ens_tc2 != reported || ens_tc != left) {
    return "the report differs";
  }

  // Each user is served once, with the D value of its first line; a stranger
  // and a D value after the user's are asked about too.
  std::vector<int> seen;
  int given[2] = {0, 0};  // users given resources, users given other users
  std::istringstream lines_written(users);
  for (int user = 0, d = 0; lines_written >> user >> d;) {
    if (std::find(seen.begin(), seen.end(), user) != seen.end()) continue;
    seen.push_back(user);
    given[0] += !reference::recommendation(user, d, reported).empty();
    given[1] += !reference::proposal(user, d, reported).empty();
    for (const auto& [u, e] : {std::pair{user, d}, std::pair{-100, d}, std::pair{user, d + 1}}) {
      if (recommend_resources(u, e, reported) != reference::recommendation(u, e, reported) ||
          propose_users(u, e, reported) != reference::proposal(u, e, reported)) {
        return "the evaluations differ for user " + std::to_string(u);
      }
    }
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

// quadmine-recommend's lists, read back from its JSON Lines, held against the
// lists of the evaluation code (RecommendationLists over the concepts the
// program's phases mine, in memory) and against the plain forms of
// tests/reference: on generated bases, and on the real year base when it is
// there.
#include <random>

#include "e2e/recommend_support.h"
#include "evaluate/training_run.h"
#include "evaluation/recommendation_lists.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // every run of the program is some ten times slower
#else
constexpr bool kSanitized = false;
#endif

// The users of users_only.txt (`text`), each once, in order of first
// appearance, with the D value of its first line: a plain form of whom the
// command serves.
std::vector<ServedUser> first_lines(const std::string& text) {
  std::vector<ServedUser> served;
  std::istringstream lines(text);
  for (int user = 0, d = 0; lines >> user >> d;) {
    const auto same = [user](const ServedUser& s) { return s.user == user; };
    if (std::none_of(served.begin(), served.end(), same)) served.push_back({user, d});
  }
  return served;
}

// What the command is asked for: a ranking, the resources of a base dropped
// or not, a limit.
struct Asked {
  Rank rank;
  const KnownResources* known;
  std::size_t limit;
};

std::string arguments(const Asked& asked) {
  std::string args = "--format jsonl";
  if (asked.rank == Rank::Support) args += " --rank support";
  if (asked.known != nullptr) args += " --exclude-known base";
  if (asked.limit != kNoLimit) args += " --limit " + std::to_string(asked.limit);
  return args;
}

Ints cut(Ints list, std::size_t limit) {
  if (list.size() > limit) list.resize(limit);
  return list;
}

// The plain forms of the two lists of `s`.
Ints plain_resources(const ServedUser& s, const Store& reported, const Asked& asked) {
  Ints list = asked.rank == Rank::Support
                  ? reference::recommendation_by_support(s.user, s.d, reported)
                  : reference::recommendation(s.user, s.d, reported);
  if (asked.known != nullptr) {
    const std::span<const int> had = asked.known->of(s.user);
    list = reference::without(list, Ints(had.begin(), had.end()));
  }
  return cut(list, asked.limit);
}

Ints plain_users(const ServedUser& s, const Store& reported, const Asked& asked) {
  return cut(asked.rank == Rank::Support ? reference::proposal_by_support(s.user, s.d, reported)
                                         : reference::proposal(s.user, s.d, reported),
             asked.limit);
}

// Runs the command in the current folder (the results of `run` and, for
// --exclude-known, the base there) and compares what it prints for every
// served user with the evaluation's lists, and with the plain forms for every
// `plain_every`-th user. "" when all agree.
std::string compare_with_command(const TrainingRun& run, const Asked& asked,
                                 std::size_t plain_every) {
  const Outcome r = recommend(arguments(asked));
  if (r.status != 0 || !r.err.empty()) return arguments(asked) + ": status and errors " + r.err;
  const std::vector<PrintedLists> printed = read_json_lines(r.out);
  const std::vector<ServedUser> served = first_lines(run.users_only);
  if (printed.size() != served.size()) return arguments(asked) + ": not one line per user";
  RecommendationLists lists(run.reported);
  Ints resources, users;
  for (std::size_t i = 0; i < served.size(); ++i) {
    const ServedUser& s = served[i];
    const std::string who = arguments(asked) + ": user " + std::to_string(s.user) + ": ";
    if (printed[i].user != s.user || printed[i].d != s.d) return who + "not the user served";
    lists.resources(s.user, s.d, {asked.rank, asked.known, asked.limit}, resources);
    lists.users(s.user, s.d, {asked.rank, nullptr, asked.limit}, users);
    if (printed[i].resources != resources) return who + "not the evaluation's resources";
    if (printed[i].users != users) return who + "not the evaluation's users";
    if (i % plain_every != 0) continue;
    if (resources != plain_resources(s, run.reported, asked))
      return who + "not the plain resources";
    if (users != plain_users(s, run.reported, asked)) return who + "not the plain users";
  }
  return "";
}

// Lines of a few users, tags, resources and D values, in runs that share
// tag, resource and D; ids from -2.
std::string generated_base(std::mt19937& rng) {
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int lines = pick(2, 120), users = pick(1, 8), tags = pick(0, 3), resources = pick(0, 6),
            ds = pick(0, 2);
  std::string base;
  for (int written = 0; written < lines;) {
    const std::string key = " " + std::to_string(pick(-2, tags)) + " " +
                            std::to_string(pick(-2, resources)) + " " +
                            std::to_string(pick(-1, ds)) + "\n";
    for (int k = pick(1, 4); k > 0 && written < lines; --k, ++written) {
      base += std::to_string(pick(-2, users)) + key;
    }
  }
  return base;
}

TEST(RecommendLists, GeneratedBasesAsTheEvaluationAndThePlainForms) {
  std::mt19937 rng(20);
  const ScratchDir dir;
  // 100 bases; 25 in the sanitized build, where each round's two runs of the
  // program take most of a second.
  for (int round = 0; round < (kSanitized ? 25 : 100); ++round) {
    const std::string base = generated_base(rng);
    const Thresholds t{1 + round % 3, 1 + round / 3 % 2, 1 + round / 6 % 2, 1 + round / 12 % 2};
    const Result<TrainingRun> run = mine_training(base, t);
    ASSERT_TRUE(run.ok()) << run.message();
    write_file("quadri_concepts.txt", run->concepts);
    write_file("users_only.txt", run->users_only);
    write_file("base", base);
    const KnownResources known = base_resources(base);
    const std::size_t limit = round % 4 == 0 ? kNoLimit : static_cast<std::size_t>(round % 4 - 1);
    for (const Asked& asked : {Asked{Rank::FirstSeen, nullptr, kNoLimit},
                               Asked{Rank::Support, round % 2 == 0 ? &known : nullptr, limit}}) {
      ASSERT_EQ(compare_with_command(run.value(), asked, 1), "")
          << "thresholds " << t.u << t.t << t.r << t.d << ":\n"
          << base;
    }
  }
}

// The year base mined at 2 1 1 1: every user against the evaluation's lists,
// every 50th against the plain forms. In the dev build only: under ASan the
// mining alone takes about a minute, and RecommendationLists'
// RealYearBaseAgainstPlainForms already mines the same base there.
TEST(RecommendLists, RealYearBaseAsTheEvaluationAndThePlainForms) {
  if (kSanitized) GTEST_SKIP() << "the real year base is checked in the dev build only";
  const char* data = std::getenv("QUADMINE_DATA_DIR");
  const std::string path =
      std::string(data != nullptr ? data : QUADMINE_DATA_DIR) + "/lastfm_year.txt";
  const std::string base = read_file(path);
  if (base.empty()) GTEST_SKIP() << "no real base at " << path;
  const Result<TrainingRun> run = mine_training(base, Thresholds{2, 1, 1, 1});
  ASSERT_TRUE(run.ok()) << run.message();
  const ScratchDir dir;
  write_file("quadri_concepts.txt", run->concepts);
  write_file("users_only.txt", run->users_only);
  write_file("base", base);
  const KnownResources known = base_resources(base);
  EXPECT_EQ(compare_with_command(run.value(), {Rank::FirstSeen, nullptr, kNoLimit}, 50), "");
  EXPECT_EQ(compare_with_command(run.value(), {Rank::Support, &known, 20}, 50), "");
}

}  // namespace

// quadmine-recommend's JSON Lines held byte for byte against the lists of the
// evaluation code (RecommendationLists over the concepts the program's phases
// mine, in memory, for the users the run serves), on generated bases.
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

// "[a, b, ...]", as the JSON output writes a list of codes.
std::string json_list(const Ints& list) {
  std::string out = "[";
  for (const int x : list) out += (out.size() > 1 ? ", " : "") + std::to_string(x);
  return out + "]";
}

// Runs the command in the current folder (the results of `run` and, for
// --exclude-known, the base there) and compares what it prints for every
// served user, byte for byte, with the evaluation's lists (which the
// differential test holds against the plain forms). "" when all agree.
std::string compare_with_command(const TrainingRun& run, const Asked& asked) {
  const Outcome r = recommend(arguments(asked));
  if (r.status != 0 || !r.err.empty()) return arguments(asked) + ": status and errors " + r.err;
  std::istringstream printed(r.out);
  RecommendationLists lists(run.reported);
  Ints resources, users;
  for (const ServedUser& s : run.served) {
    const std::string who = arguments(asked) + ": user " + std::to_string(s.user) + ": ";
    lists.resources(s.user, s.d, {asked.rank, asked.known, asked.limit}, resources);
    lists.users(s.user, s.d, {asked.rank, nullptr, asked.limit}, users);
    std::string line;
    std::getline(printed, line);
    const std::string want =
        "{\"user\": " + std::to_string(s.user) + ", \"d\": " + std::to_string(s.d) +
        ", \"resources\": " + json_list(resources) + ", \"users\": " + json_list(users) + "}";
    if (line != want) return who + "printed " + line + ", not " + want;
  }
  if (printed.peek() != EOF) return arguments(asked) + ": more lines than users";
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

TEST(RecommendLists, GeneratedBasesAsTheEvaluation) {
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
      ASSERT_EQ(compare_with_command(run.value(), asked), "")
          << "thresholds " << t.u << t.t << t.r << t.d << ":\n"
          << base;
    }
  }
}

}  // namespace

// quadmine-recommend run as a program: every format byte for byte, users asked
// for by name or code, missing and foreign result files, values that name no
// user (bad options: see options_test.cpp); and its JSON Lines held byte for
// byte against the evaluation's lists (known resources, limits, rankings,
// every user served) on generated bases.
#include "e2e/run_support.h"
#include "evaluate/training_run.h"
#include "evaluation/recommendation_lists.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

Outcome recommend(const std::string& args) { return run(kRecommend, args); }

// The folder run/ of a run with three concepts and the dictionaries of base b
// beside them: users 1-3 named (4 is not), resources 1-2 (3 is not), and tags,
// which no list prints.
//
//   c0  U 1 2      R 1 2   D 2009
//   c1  U 2 3 4    R 2 3   D 2009
//   c2  U 1        R 4     D 2010
//
// Served with 2009: 1, 2, 3, 4. Their lists (first-seen):
//   1  resources 2 3 (c1)   users 2 3 4
//   2  resources none       users 1 3 4
//   3  resources 1 2 (c0)   users 1 2 4
//   4  resources 1 2 (c0)   users 1 2 3
void write_run() {
  write_results("run", store("1 2|1|1 2|2009, 2 3 4|2|2 3|2009, 1|3|4|2010"));
  write_dictionary("run/b.users", DictionaryKind::Tag, {"ann", "bob", "cy \"jr\""});
  write_dictionary("run/b.resources", DictionaryKind::Resource, {"Muse", "Blur, the"});
  write_dictionary("run/b.tags", DictionaryKind::Tag, {"rock"});
}

const std::string kFound = "quadmine-recommend: names from run/b.users, run/b.resources\n";

TEST(Recommend, EveryFormatByteForByte) {
  const ScratchDir dir;
  write_run();
  // A user asked for who is in no concept (9) is named after the others are
  // printed whole (JSON closes its array), with status 1.
  const std::string gone =
      "quadmine-recommend: user 9 is in no reported concept (not in run/users_only.txt)\n";
  const struct {
    std::string args, out;
  } cases[] = {
      {"",
       "user ann  (d 2009: 2 resources, 3 users)\n  resources  Blur, the, 3\n"
       "  users      bob, cy \"jr\", 4\n\n"
       "user bob  (d 2009: 0 resources, 3 users)\n  resources  (none)\n"
       "  users      ann, cy \"jr\", 4\n\n"
       "user cy \"jr\"  (d 2009: 2 resources, 3 users)\n  resources  Muse, Blur, the\n"
       "  users      ann, bob, 4\n\n"
       "user 4  (d 2009: 2 resources, 3 users)\n  resources  Muse, Blur, the\n"
       "  users      ann, bob, cy \"jr\"\n\n"},
      {"--codes --user ann --kind resources",
       "user ann (1)  (d 2009: 2 resources)\n  resources  Blur, the (2), 3\n\n"},
      {"--codes --user 4 --kind users --limit 1",
       "user 4  (d 2009: 1 user)\n  users      ann (1)\n\n"},
      {"--format tsv --user bob --user 3 --kind both",
       "user\tuser_name\td\tlist\trank\tcode\tname\n"
       "2\tbob\t2009\tusers\t1\t1\tann\n"
       "2\tbob\t2009\tusers\t2\t3\t\"cy \"\"jr\"\"\"\n"
       "2\tbob\t2009\tusers\t3\t4\t\n"
       "3\t\"cy \"\"jr\"\"\"\t2009\tresources\t1\t1\tMuse\n"
       "3\t\"cy \"\"jr\"\"\"\t2009\tresources\t2\t2\tBlur, the\n"
       "3\t\"cy \"\"jr\"\"\"\t2009\tusers\t1\t1\tann\n"
       "3\t\"cy \"\"jr\"\"\"\t2009\tusers\t2\t2\tbob\n"
       "3\t\"cy \"\"jr\"\"\"\t2009\tusers\t3\t4\t\n"},
      {"--format csv --user 1 --kind resources --codes",
       "user,user_name,d,list,rank,code,name\n"
       "1,ann,2009,resources,1,2,\"Blur, the\"\n"
       "1,ann,2009,resources,2,3,\n"},
      {"--format json --user 4 --limit 1",
       "[\n  {\"user\": 4, \"user_name\": null, \"d\": 2009, \"resources\": [1], "
       "\"resource_names\": [\"Muse\"], \"users\": [1], \"user_names\": [\"ann\"]}\n]\n"},
      {"--format json --user 2 --user 1 --limit 1 --kind resources",
       "[\n  {\"user\": 2, \"user_name\": \"bob\", \"d\": 2009, \"resources\": [], "
       "\"resource_names\": []},\n"
       "  {\"user\": 1, \"user_name\": \"ann\", \"d\": 2009, \"resources\": [2], "
       "\"resource_names\": [\"Blur, the\"]}\n]\n"},
      {"--format jsonl --user bob --kind users",
       "{\"user\": 2, \"user_name\": \"bob\", \"d\": 2009, \"users\": [1, 3, 4], "
       "\"user_names\": [\"ann\", \"cy \\\"jr\\\"\", null]}\n"},
      // By name or code, in the order asked, each once.
      {"--format jsonl --kind users --limit 1 --user 'cy \"jr\"' --user 1 --user 3",
       "{\"user\": 3, \"user_name\": \"cy \\\"jr\\\"\", \"d\": 2009, \"users\": [1], "
       "\"user_names\": [\"ann\"]}\n"
       "{\"user\": 1, \"user_name\": \"ann\", \"d\": 2009, \"users\": [2], \"user_names\": "
       "[\"bob\"]}\n"},
      {"--format json --user 9", "[]\n"},
      {"--format csv --user 9", "user,user_name,d,list,rank,code,name\n"},
      {"--user 9", ""},
  };
  for (const auto& c : cases) {
    const Outcome r = recommend("--dir run " + c.args);
    const bool missing = c.args.find("--user 9") != std::string::npos;
    EXPECT_EQ(r.status, missing ? 1 : 0) << c.args << r.err;
    EXPECT_EQ(r.out, c.out) << c.args;
    EXPECT_EQ(r.err, kFound + (missing ? gone : "")) << c.args;
  }
}

// Finding and choosing the dictionaries is shared with quadmine-show and
// tested there; here, users asked for by name.
TEST(Recommend, UsersAskedForByName) {
  const ScratchDir dir;
  write_run();
  // --base and --users name the dictionaries; a name that is no user's is an
  // error, before anything is printed.
  std::filesystem::create_directory("other");
  write_dictionary("other/x.users", DictionaryKind::Tag, {"zoe"});
  for (const std::string names : {"--base other/x", "--users other/x.users"}) {
    EXPECT_EQ(recommend("--dir run --format jsonl --kind users --limit 1 --user zoe " + names).out,
              "{\"user\": 1, \"user_name\": \"zoe\", \"d\": 2009, \"users\": [2], "
              "\"user_names\": [null]}\n")
        << names;
  }
  EXPECT_EQ(recommend("--dir run --user ann --user zed"),
            (Outcome{1, "", kFound + "quadmine-recommend: no user named 'zed' in run/b.users\n"}));
}

// (Bad values of options: see options_test.cpp.)
TEST(Recommend, BadInputNamesTheCauseWithStatusOne) {
  const ScratchDir dir;
  write_results(".", store("1 2|1|10 11|7"));
  write_file("bad", "1 1 10 7\n1 x 10 7\n");
  std::filesystem::create_directory("folder");
  const struct {
    std::string args, err;
  } cases[] = {
      {"--user x", "'x' is not a user code"},
      {"--exclude-known none", "cannot open none: No such file or directory"},
      {"--exclude-known bad", "bad:2: not a quadruple line (four integers expected)"},
      {"--dir folder", "cannot open folder/quadri_concepts.txt: No such file or directory"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(recommend(c.args), (Outcome{1, "", "quadmine-recommend: " + c.err + "\n"})) << c.args;
  }
  write_file("folder/b.tags", "1 0 1 0 -\n");  // a base with tags only names nothing printed
  EXPECT_EQ(recommend("--base folder/b").err,
            "quadmine-recommend: no dictionary folder/b.users or folder/b.resources\n");
}

// Result files that are missing, or are not the two files of one run.
TEST(Recommend, ForeignResultFilesAreRefused) {
  const ScratchDir dir;
  const std::string concepts =
      "\nU = {1, 2, },  T = {1, },  R = {10, },  D = {7, 8, }\nU = {3, },  T = {1, },  R = {11, "
      "},  D = {7, }";
  const std::string users = "1 7\n2 7\n3 7\n";
  const std::string report = "./quadri_concepts.txt";
  const std::optional<std::string> none;  // the file is missing
  const struct {
    std::optional<std::string> concepts, users;
    std::string err;
  } cases[] = {
      {none, users, "cannot open ./quadri_concepts.txt: No such file or directory"},
      {concepts, none, "cannot open ./users_only.txt: No such file or directory"},
      {"\nU = {1, },  T = {1, },  R = {},  D = {7, }", "1 7\n",
       report + ": concept 1 has an empty R set (not a report of quadmine)"},
      {concepts, "1 7\n3 7\n2 7\n",
       "./users_only.txt:2: not the users of the concepts of " + report + " (expected '2 7')"},
      {concepts, "1 7\n2 7\n", "./users_only.txt: ends before the users of concept 2 of " + report},
      {concepts, users + "4 7\n",
       "./users_only.txt:4: a line after the users of the concepts of " + report},
  };
  for (const auto& c : cases) {
    std::filesystem::remove("quadri_concepts.txt");
    std::filesystem::remove("users_only.txt");
    if (c.concepts) write_file("quadri_concepts.txt", *c.concepts);
    if (c.users) write_file("users_only.txt", *c.users);
    EXPECT_EQ(recommend("--format jsonl"), (Outcome{1, "", "quadmine-recommend: " + c.err + "\n"}));
  }
  // A run that reported nothing: empty files, nobody to serve.
  write_file("quadri_concepts.txt", "");
  write_file("users_only.txt", "");
  EXPECT_EQ(recommend("--format json"), (Outcome{0, "[]\n", ""}));
  // The result files are only read.
  write_file("quadri_concepts.txt", concepts);
  write_file("users_only.txt", users);
  EXPECT_EQ(recommend("--user 1 --user 5").status, 1);
  EXPECT_EQ(read_file("quadri_concepts.txt"), concepts);
  EXPECT_EQ(read_file("users_only.txt"), users);
  EXPECT_EQ(listing(), "quadri_concepts.txt\nusers_only.txt\n");
}

// What the command is asked for: a ranking, the resources of a base dropped
// or not, a limit.
struct Asked {
  Rank rank;
  const KnownResources* known;
  std::size_t limit;
};

// "[a, b, ...]", as the JSON output writes a list of codes.
std::string json_list(const Ints& list) {
  std::string out = "[";
  for (const int x : list) out += (out.size() > 1 ? ", " : "") + std::to_string(x);
  return out + "]";
}

// The run of the command in the current folder (the results of `run` and, for
// --exclude-known, the base there), and the run that prints the evaluation's
// lists (which the differential test holds against the plain forms) for every
// served user, byte for byte.
std::pair<Outcome, Outcome> command_and_lists(const TrainingRun& run, const Asked& asked) {
  std::string args = "--format jsonl", want;
  if (asked.rank == Rank::Support) args += " --rank support";
  if (asked.known != nullptr) args += " --exclude-known base";
  if (asked.limit != kNoLimit) args += " --limit " + std::to_string(asked.limit);
  RecommendationLists lists(run.reported);
  Ints resources, users;
  for (const ServedUser& s : run.served) {
    lists.resources(s.user, s.d, {asked.rank, asked.known, asked.limit}, resources);
    lists.users(s.user, s.d, {asked.rank, nullptr, asked.limit}, users);
    want += "{\"user\": " + std::to_string(s.user) + ", \"d\": " + std::to_string(s.d) +
            ", \"resources\": " + json_list(resources) + ", \"users\": " + json_list(users) + "}\n";
  }
  return {recommend(args), Outcome{0, want, ""}};
}

TEST(RecommendLists, GeneratedBasesAsTheEvaluation) {
  std::mt19937 rng(20);
  const ScratchDir dir;
  // 100 bases; 25 in the sanitized build, where each round's two runs of the
  // program take most of a second.
  for (int round = 0; round < (kSanitized ? 25 : 100); ++round) {
    const std::string base = generated_base(rng, 120, -2, -1, 2);
    const Thresholds t{1 + round % 3, 1 + round / 3 % 2, 1 + round / 6 % 2, 1 + round / 12 % 2};
    const Result<TrainingRun> run = mine_training(base, t);
    ASSERT_TRUE(run.ok()) << run.message();
    write_file("quadri_concepts.txt", run->concepts);
    write_file("users_only.txt", run->users_only);
    write_file("base", "\n" + base);  // a blank line is no quadruple
    const KnownResources known = base_resources(base);
    const std::size_t limit = round % 4 == 0 ? kNoLimit : static_cast<std::size_t>(round % 4 - 1);
    for (const Asked& asked : {Asked{Rank::FirstSeen, nullptr, kNoLimit},
                               Asked{Rank::Support, round % 2 == 0 ? &known : nullptr, limit}}) {
      const auto [command, lists] = command_and_lists(run.value(), asked);
      ASSERT_EQ(command, lists) << "thresholds " << t.u << t.t << t.r << t.d << ":\n" << base;
    }
  }
}

// The year base mined at 2 1 1 1, every user, as the evaluation lists them. In
// the dev build only: under ASan the mining alone takes about a minute.
TEST(RecommendLists, RealYearBaseAsTheEvaluation) {
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
  for (const Asked& asked :
       {Asked{Rank::FirstSeen, nullptr, kNoLimit}, Asked{Rank::Support, &known, 20}}) {
    const auto [command, lists] = command_and_lists(run.value(), asked);
    EXPECT_TRUE(command == lists) << "the command's lists and the evaluation's differ";
  }
}

}  // namespace

// quadmine-recommend run as a program: what the command adds to the lists
// (known resources, limits, kinds, users asked or not), every format byte for
// byte, JSON read back by Python's json module, users asked for by name or code,
// and every error: bad options, missing and foreign result files, values that
// name no user, standard output that cannot be written; and its JSON Lines
// held byte for byte against the evaluation's lists on generated bases.
#include <random>

#include "evaluate/training_run.h"
#include "evaluation/recommendation_lists.h"
#include "formats/code_dictionary.h"
#include "support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

const std::string kRecommend = QUADMINE_RECOMMEND_BIN;

Outcome recommend(const std::string& args) { return run_shell("'" + kRecommend + "' " + args); }

// Writes DIR/quadri_concepts.txt and DIR/users_only.txt as a run that reports
// the concepts of `reported` writes them.
void write_results(const std::string& dir, const Store& reported) {
  std::string concepts, users;
  for (const TriConcept& c : reported) {
    const char* labels[] = {"\nU = {", "},  T = {", "},  R = {", "},  D = {"};
    const Ints* sets[] = {&c.us, &c.ts, &c.rs, &c.ds};
    for (int k = 0; k < 4; ++k) {
      concepts += labels[k];
      for (const int x : *sets[k]) concepts += std::to_string(x) + ", ";
    }
    concepts += "}";
    for (const int u : c.us) users += std::to_string(u) + " " + std::to_string(c.ds.front()) + "\n";
  }
  std::filesystem::create_directories(dir);
  write_file(dir + "/quadri_concepts.txt", concepts);
  write_file(dir + "/users_only.txt", users);
}

// Group 7 (the concepts whose D set begins with 7) is c0, c1, c2 and c4; c3
// begins with 8 and is group 8 alone. c4 repeats user 4 and resource 13.
//
//   c0  U 1 2      R 10 11     |U| 2
//   c1  U 3        R 12 10     |U| 1
//   c2  U 2 4 5    R 12 13     |U| 3   D 7 8
//   c3  U 6        R 14        |U| 1   D 8 7
//   c4  U 4 6 4    R 13 15 13  |U| 3
//
// users_only.txt: 1 2 3 2 4 5 with 7, 6 with 8, 4 6 4 with 7. Served: 1 to 5
// with 7, and 6 with 8 (its first line).
const char* const kStore =
    "1 2|1|10 11|7, 3|1|12 10|7, 2 4 5|1|12 13|7 8, 6|1|14|8 7, 4 6 4|1|13 15 13|7";

// The resources users already have, any tag, any D value: 1 has 12 and 15, 3
// has 13, 5 has 99 (no concept holds it).
const char* const kKnown = "1 5 12 2001\n1 6 15 2020\n3 1 13 7\n\n5 1 99 7\n";

TEST(Recommend, HandDerivedListsAndRankings) {
  const ScratchDir dir;
  write_results(".", store(kStore));
  write_file("known", kKnown);
  // The rankings themselves are the evaluation's (checked there and against
  // the program on generated bases); here, what the command adds. Group 7
  // supports: resources 10 = 2 + 1, 11 = 2, 12 = 1 + 3, 13 = 3 + 3, 15 = 3;
  // users 2 and 4 in two concepts, the others in one.
  const struct {
    std::string args, out;
  } cases[] = {
      // Known resources dropped after ranking, then the limit; users untouched.
      {"--user 1 --rank support --exclude-known known",
       R"({"user": 1, "d": 7, "resources": [13, 10], "users": [2, 4, 3, 5, 6]})"},
      {"--user 3 --rank support --exclude-known known --limit 2",
       R"({"user": 3, "d": 7, "resources": [12, 15], "users": [2, 4]})"},
      {"--user 2 --kind resources --rank support --limit 3",
       R"({"user": 2, "d": 7, "resources": [13, 15, 12]})"},
      {"--user 2 --kind users --exclude-known known",
       R"({"user": 2, "d": 7, "users": [1, 3, 4, 5, 6]})"},
      // Users in the order asked, each once.
      {"--user 5 --user 1 --user 5 --limit 1",
       R"({"user": 5, "d": 7, "resources": [10], "users": [1]})"
       "\n"
       R"({"user": 1, "d": 7, "resources": [12], "users": [2]})"},
      // By default every user of users_only.txt, in order of first line; user
      // 6 is served with 8, where c3 is its own: nothing to give.
      {"--limit 1 --rank support", R"({"user": 1, "d": 7, "resources": [13], "users": [2]})"
                                   "\n"
                                   R"({"user": 2, "d": 7, "resources": [13], "users": [4]})"
                                   "\n"
                                   R"({"user": 3, "d": 7, "resources": [13], "users": [2]})"
                                   "\n"
                                   R"({"user": 4, "d": 7, "resources": [10], "users": [2]})"
                                   "\n"
                                   R"({"user": 5, "d": 7, "resources": [10], "users": [2]})"
                                   "\n"
                                   R"({"user": 6, "d": 8, "resources": [], "users": []})"},
  };
  for (const auto& c : cases) {
    const Outcome r = recommend("--format jsonl " + c.args);
    EXPECT_EQ(r.status, 0) << c.args << r.err;
    EXPECT_EQ(r.err, "") << c.args;
    EXPECT_EQ(r.out, c.out + "\n") << c.args;
  }
  // A user in no reported concept is named after the others are printed.
  const Outcome missing = recommend("--format jsonl --user 9 --user 1 --limit 1 --kind users");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "{\"user\": 1, \"d\": 7, \"users\": [2]}\n");
  EXPECT_EQ(missing.err,
            "quadmine-recommend: user 9 is in no reported concept (not in ./users_only.txt)\n");
}

// Writes a dictionary of `kind` with these codes and texts.
void write_dictionary(const std::string& path, DictionaryKind kind,
                      const std::vector<std::pair<int, std::string>>& lines) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  for (const auto& [code, text] : lines) write_code_dictionary_line(out, kind, code, text);
  std::fclose(out);
}

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
  write_dictionary("run/b.users", DictionaryKind::Tag, {{1, "ann"}, {2, "bob"}, {3, "cy \"jr\""}});
  write_dictionary("run/b.resources", DictionaryKind::Resource, {{1, "Muse"}, {2, "Blur, the"}});
  write_dictionary("run/b.tags", DictionaryKind::Tag, {{1, "rock"}});
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
      {"--format tsv --user bob --user 3",
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
      {"--format csv --user 4 --kind users --limit 2",
       "user,user_name,d,list,rank,code,name\n4,,2009,users,1,1,ann\n4,,2009,users,2,2,bob\n"},
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
      {"--format jsonl --user 3 --kind resources --rank support",
       "{\"user\": 3, \"user_name\": \"cy \\\"jr\\\"\", \"d\": 2009, \"resources\": [1, 2], "
       "\"resource_names\": [\"Muse\", \"Blur, the\"]}\n"},
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
TEST(Recommend, UsersAskedForByNameOrCode) {
  const ScratchDir dir;
  write_run();
  // With names, a user is asked for by name or code; a name that is no
  // user's is an error, before anything is printed.
  EXPECT_EQ(recommend("--dir run --format jsonl --kind users --user 'cy \"jr\"' --user 1").out,
            "{\"user\": 3, \"user_name\": \"cy \\\"jr\\\"\", \"d\": 2009, \"users\": [1, 2, 4], "
            "\"user_names\": [\"ann\", \"bob\", null]}\n"
            "{\"user\": 1, \"user_name\": \"ann\", \"d\": 2009, \"users\": [2, 3, 4], "
            "\"user_names\": [\"bob\", \"cy \\\"jr\\\"\", null]}\n");
  // --base and --users name the dictionaries.
  std::filesystem::create_directory("other");
  write_dictionary("other/x.users", DictionaryKind::Tag, {{2, "zoe"}});
  for (const std::string names : {"--base other/x", "--users other/x.users"}) {
    EXPECT_EQ(recommend("--dir run --format jsonl --kind users --limit 1 --user zoe " + names).out,
              "{\"user\": 2, \"user_name\": \"zoe\", \"d\": 2009, \"users\": [1], "
              "\"user_names\": [null]}\n")
        << names;
  }
  const Outcome unknown = recommend("--dir run --user ann --user zed");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, kFound + "quadmine-recommend: no user named 'zed' in run/b.users\n");
}

TEST(Recommend, PythonReadsJsonBack) {
  const ScratchDir dir;
  write_results(".", store("1 2|1|1 2 3|7, 3|1|2 4|7"));
  write_dictionary("b.resources", DictionaryKind::Resource, {{2, "tab\there"}, {4, "caf\xc3\xa9"}});
  write_dictionary("b.users", DictionaryKind::Tag, {{1, "caf\xe9"}, {2, "ctl\x01"}});
  write_file("out.json", recommend("--format json").out);
  write_file("out.jsonl", recommend("--format jsonl --rank support").out);
  // Strict UTF-8 and strict JSON; the array holds the objects of the lines.
  EXPECT_EQ(python(R"(import json
array = json.load(open('out.json', encoding='utf-8'))
lines = [json.loads(l) for l in open('out.jsonl', encoding='utf-8')]
assert [sorted(o) for o in array] == [sorted(o) for o in lines]
print(json.dumps(array[0]))
print(json.dumps([[o['user'], o['user_name'], o['resources']] for o in lines]))
)",
                   ""),
            R"({"user": 1, "user_name": "caf\u00e9", "d": 7, "resources": [2, 4], )"
            R"("resource_names": ["tab\there", "caf\u00e9"], "users": [2, 3], )"
            R"("user_names": ["ctl\u0001", null]})"
            "\n"
            R"([[1, "caf\u00e9", [2, 4]], [2, "ctl\u0001", [2, 4]], [3, null, [1, 2, 3]]])"
            "\n");
}

TEST(Recommend, HelpAndVersion) {
  const ScratchDir dir;
  for (const char* args : {"--help", "-h", "--limit x -h"}) {
    const Outcome r = recommend(args);
    EXPECT_EQ(r.status, 0) << args;
    EXPECT_EQ(r.out.rfind("Usage: quadmine-recommend [options]\n", 0), 0u) << args;
  }
  EXPECT_EQ(recommend("--version").out, "quadmine-recommend 1.0.0\n");
}

TEST(Recommend, BadInputNamesTheCauseWithStatusOne) {
  const ScratchDir dir;
  write_results(".", store(kStore));
  write_file("known", kKnown);
  write_file("bad", "1 1 10 7\n1 x 10 7\n");
  std::filesystem::create_directory("folder");
  const struct {
    std::string args, err;
  } cases[] = {
      {"--kind tags", "bad value 'tags' for --kind (resources, users or both)"},
      {"--rank best", "bad value 'best' for --rank (first-seen or support)"},
      {"--limit -1", "bad value '-1' for --limit (a whole number from 0)"},
      {"--limit 2x", "bad value '2x' for --limit (a whole number from 0)"},
      {"--format xml", "bad value 'xml' for --format (text, tsv, csv, json or jsonl)"},
      {"--dir ''", "bad value '' for --dir (a path)"},
      {"--exclude-known=", "option --exclude-known needs a value"},
      {"--frob", "unknown option --frob"},
      {"word", "unexpected argument word"},
      {"--user x", "'x' is not a user code"},
      {"--exclude-known none", "cannot open none: No such file or directory"},
      {"--exclude-known bad", "bad:2: not a quadruple line (four integers expected)"},
      {"--dir folder", "cannot open folder/quadri_concepts.txt: No such file or directory"},
  };
  for (const auto& c : cases) {
    const Outcome r = recommend(c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_EQ(r.out, "") << c.args;
    EXPECT_EQ(r.err.rfind("quadmine-recommend: " + c.err + "\n", 0), 0u) << c.args << ": " << r.err;
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
      {"1 1 10 7\n1 2 10 7\n", "1 7\n", report + ":1: not a concept line"},
      {"\nU = {1, },  T = {1, },  R = {},  D = {7, }", "1 7\n",
       report + ": concept 1 has an empty R set (not a report of quadmine)"},
      {concepts, "1 7\n3 7\n2 7\n",
       "./users_only.txt:2: not the users of the concepts of " + report + " (expected '2 7')"},
      {concepts, "one 7\n",
       "./users_only.txt:1: not the users of the concepts of " + report + " (expected '1 7')"},
      {concepts, "1 7\n2 7\n", "./users_only.txt: ends before the users of concept 2 of " + report},
      {concepts, users + "4 7\n",
       "./users_only.txt:4: a line after the users of the concepts of " + report},
      {"", "1 7\n", "./users_only.txt:1: a line after the users of the concepts of " + report},
  };
  for (const auto& c : cases) {
    std::filesystem::remove("quadri_concepts.txt");
    std::filesystem::remove("users_only.txt");
    if (c.concepts) write_file("quadri_concepts.txt", *c.concepts);
    if (c.users) write_file("users_only.txt", *c.users);
    const Outcome r = recommend("--format jsonl");
    EXPECT_EQ(r.status, 1) << c.err;
    EXPECT_EQ(r.out, "") << c.err;
    EXPECT_EQ(r.err, "quadmine-recommend: " + c.err + "\n");
  }
  // A run that reported nothing: empty files, nobody to serve.
  write_file("quadri_concepts.txt", "");
  write_file("users_only.txt", "");
  const Outcome empty = recommend("--format json");
  EXPECT_EQ(empty.status, 0) << empty.err;
  EXPECT_EQ(empty.out, "[]\n");
  // The result files are only read.
  write_file("quadri_concepts.txt", concepts);
  write_file("users_only.txt", users);
  EXPECT_EQ(recommend("--user 1 --user 5").status, 1);
  EXPECT_EQ(read_file("quadri_concepts.txt"), concepts);
  EXPECT_EQ(read_file("users_only.txt"), users);
  EXPECT_EQ(run_shell("ls").out, "quadri_concepts.txt\nusers_only.txt\n");
}

TEST(Recommend, StandardOutputThatCannotBeWrittenIsAnError) {
  const ScratchDir dir;
  Store many;
  for (int u = 1; u <= 300; ++u) many.push_back(store(std::to_string(u) + " 0|1|1 2 3|7")[0]);
  write_results(".", many);
  // Small outputs fail when the buffer is flushed at the end, large ones on
  // the way (and stop there).
  for (const std::string args : {"--user 1", "", "--format json", "--help"}) {
    for (const std::string target : {">/dev/full", ">&-"}) {
      const Outcome r = run_shell("{ '" + kRecommend + "' " + args + " " + target + "; }");
      EXPECT_EQ(r.status, 1) << args << target;
      const std::string reason =
          target == ">&-" ? "Bad file descriptor" : "No space left on device";
      EXPECT_EQ(r.err, "quadmine-recommend: cannot write to standard output: " + reason + "\n")
          << args << target;
    }
  }
}

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
  EXPECT_EQ(compare_with_command(run.value(), {Rank::FirstSeen, nullptr, kNoLimit}), "");
  EXPECT_EQ(compare_with_command(run.value(), {Rank::Support, &known, 20}), "");
}

}  // namespace

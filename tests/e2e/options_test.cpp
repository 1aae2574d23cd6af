// The command lines of the programs, run as programs: -h, --help and
// --version; for quadmine-prepare and quadmine-show, unknown options and stray
// words, and every option accepted in both of its spellings (--name value and
// --name=value).
#include "e2e/run_support.h"
#include "util/version.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

const std::string kIds = "raw base --user 1 --tag 2 --resource 3 ";

TEST(Options, HelpAndVersionAnswerOnStandardOutput) {
  const ScratchDir dir;
  // Program, arguments, the beginning of standard output.
  const struct {
    std::string program, args, out;
  } cases[] = {
      {kPrepare, "--help", "Usage: quadmine-prepare RAW BASE"},
      {kPrepare, "-h", "Usage: quadmine-prepare RAW BASE"},
      {kPrepare, kIds + "--d 4 --frob -h", "Usage: quadmine-prepare RAW BASE"},
      {kPrepare, "--version", "quadmine-prepare 1.0.0\n"},
      {kPrepare, "--user 1 --version", "quadmine-prepare 1.0.0\n"},
      {kShow, "--help", "Usage: quadmine-show [options]"},
      {kShow, "-h", "Usage: quadmine-show [options]"},
      {kShow, "--sort colour --limit x -h", "Usage: quadmine-show [options]"},
      {kShow, "--version", "quadmine-show 1.0.0\n"},
      {kEvaluate, "--help", "Usage: quadmine-evaluate BASE SPLIT"},
      {kEvaluate, "-h", "Usage: quadmine-evaluate BASE SPLIT"},
      {kEvaluate, "base 1 x 1 1 1 --k 0 -h", "Usage: quadmine-evaluate BASE SPLIT"},
      {kEvaluate, "--version", "quadmine-evaluate 1.0.0\n"},
      // quadmine itself: exactly one argument.
      {QUADMINE_BIN, "--help", "Usage: quadmine BASE MINSUPP_U MINSUPP_T MINSUPP_R MINSUPP_D\n"},
      {QUADMINE_BIN, "--version", "quadmine " + std::string(project_version()) + "\n"},
  };
  for (const auto& c : cases) {
    const Outcome r = run(c.program, c.args);
    EXPECT_EQ(r.status, 0) << c.args << r.err;
    EXPECT_EQ(r.out.substr(0, c.out.size()), c.out) << c.args;
    EXPECT_EQ(r.err, "") << c.args;
  }
  // The usage names every option, the version ones included.
  const std::string prepare_usage = run(kPrepare, "-h").out, show_usage = run(kShow, "-h").out;
  for (const char* option : {"-h, --help", "--version", "--separator", "--no-header", "--unit",
                             "--quote", "--encoding", "--skip-bad", "--tag-names-name"}) {
    EXPECT_NE(prepare_usage.find(option), std::string::npos) << option;
  }
  for (const char* option : {"-h, --help", "--version", "--dir", "--min-d", "--top", "--format",
                             "--base", "--user V", "--d V", "--codes", "jsonl"}) {
    EXPECT_NE(show_usage.find(option), std::string::npos) << option;
  }
}

TEST(Options, UnknownOptionsAndStrayWordsAreErrors) {
  const ScratchDir dir;
  write_file("raw", "1 2 3 4\n");
  // Program, arguments, standard error.
  const struct {
    std::string program, args, err;
  } cases[] = {
      {kPrepare, kIds + "--d 4 --frob", "unknown option --frob"},
      {kPrepare, kIds + "--d 4 --frob=2", "unknown option --frob"},
      {kPrepare, "--frob " + kIds + "--d 4", "unknown option --frob"},
      {kPrepare, kIds + "--d 4 -x", "unknown option -x"},
      {kPrepare, kIds + "--d 4 extra", "give the raw file and the base to write"},
      {kPrepare, kIds + "--d", "option --d needs a value"},
      {kPrepare, kIds + "--d 4 --period", "option --period needs a value"},
      {kPrepare, kIds + "--d 4 --separator pipe",
       "bad separator 'pipe' (tab, comma, blanks or one byte such as ';')"},
      {kPrepare, kIds + "--time 4 --period week", "bad period 'week' (year, month or day)"},
      {kPrepare, kIds + "--time 4 --period day --unit us", "bad unit 'us' (s or ms)"},
      {kPrepare, kIds + "--d 0", "bad column '0' for --d"},
      {kPrepare, kIds + "--d ''", "bad column '' for --d"},
      {kPrepare, "raw base --user 1 --tag 2 --d 4", "--user, --tag and --resource are required"},
      {kPrepare, kIds + "--d 4 --separator '\"'",
       "bad separator '\"' (tab, comma, blanks or one byte such as ';')"},
      {kPrepare, kIds + "--d 4 --quote csv", "bad quote 'csv' (rfc4180 or none)"},
      {kPrepare, kIds + "--d 4 --encoding cp1252", "bad encoding 'cp1252' (utf8 or latin1)"},
      {kPrepare, kIds + "--d 4 --tag-names-id 2", "--tag-names-id goes with --tag-names"},
      {kPrepare, kIds + "--d 4 --user-names - ",
       "only the raw file can be read from standard input (--user-names)"},
      {kPrepare, kIds + "--d 4 --resource-names n --resource-names-name 0",
       "bad column '0' for --resource-names-name"},
      {kPrepare, "raw - --user 1 --tag 2 --resource 3 --d 4",
       "give the base a file name (/dev/stdout is one)"},
      {kShow, "--frob", "unknown option --frob"},
      {kShow, "--limit 2 --frob=3", "unknown option --frob"},
      {kShow, "--min-user 2", "unknown option --min-user"},
      {kShow, "extra", "unexpected argument extra"},
      {kShow, "--top -3", "bad value '-3' for --top"},
      {kShow, "--min-d", "option --min-d needs a value"},
  };
  for (const auto& c : cases) {
    write_file("base", "earlier\n");
    const std::string program = c.program == kShow ? "quadmine-show" : "quadmine-prepare";
    EXPECT_EQ(run(c.program, c.args),
              (Outcome{1, "", program + ": " + c.err + "\nTry '" + program + " --help'.\n"}))
        << c.args;
    EXPECT_EQ(read_file("base"), "earlier\n") << c.args;
  }
}

// A line of options in its two spellings: "--name value" as written, and
// "--name=value" for every option that takes a value.
std::string with_equals(const std::string& args) {
  return std::regex_replace(args, std::regex("(--[a-z-]+) ([^-][^ ]*|-[0-9]+)"), "$1=$2");
}

TEST(Options, EveryPrepareOptionIsAccepted) {
  const ScratchDir dir;
  write_file("names", "id\tname\n7\tann\nrock\tRock\n");
  const char* const tsv =
      "user\ttag\tres\twhen\tyear\tmonth\tday\n7\trock\t9\t1239753600000\t2009\t4\t15\n";
  const std::string ids = "--user 1 --tag 2 --resource 3 ";
  // The raw file (null: `tsv`), the arguments after RAW BASE, the base written
  // (empty: the line is refused).
  const struct {
    const char* raw;
    std::string args, base;
  } cases[] = {
      {nullptr, ids + "--year year --month month --day day", "7 1 9 20090415\n"},
      {nullptr, ids + "--time 4 --unit ms --period day --separator tab", "7 1 9 20090415\n"},
      {nullptr, ids + "--d 5 --separator tab --header", "7 1 9 2009\n"},
      {nullptr, ids + "--d 5 --quote rfc4180 --encoding latin1 --skip-bad", "7 1 9 2009\n"},
      {nullptr,
       "--user 1 --tag tag --resource 3 --d 5 --quote none --encoding utf8 --tag-names names "
       "--tag-names-id 1 --tag-names-name 2 --user-names names --user-names-id id "
       "--user-names-name name --resource-names names --resource-names-id 1 "
       "--resource-names-name name",
       "7 1 9 2009\n"},
      // Blanks and commas, without a header; the last of --header and --no-header counts.
      {"1 2 3 1239753600\n", ids + "--d 1 --time 4 --period year", ""},
      {"1 2 3 1239753600\n", ids + "--time 4 --unit s --period month --separator blanks",
       "1 2 3 200904\n"},
      {"u,t,r,d\n1,2,3,4\n", ids + "--d 4 --no-header --header --separator comma", "1 2 3 4\n"},
      {"1,2,3,4\n5,6,7,8\n", ids + "--d 4 --header --no-header", "1 2 3 4\n5 6 7 8\n"},
      {"1;2;3;4\n", ids + "--d 4 --separator ';'", "1 2 3 4\n"},
  };
  for (const auto& c : cases) {
    for (const std::string& args : {c.args, with_equals(c.args)}) {
      write_file("raw", c.raw != nullptr ? c.raw : tsv);
      std::filesystem::remove("base");
      std::filesystem::remove("base.tags");
      EXPECT_EQ(run(kPrepare, "raw base " + args).status, c.base.empty() ? 1 : 0) << args;
      const std::string tags = args.find("names") != std::string::npos ? "Rock" : "rock";
      EXPECT_EQ(files({"base", "base.tags"}),
                c.base.empty() ? ""
                : c.raw        ? "base:\n" + c.base
                               : "base:\n" + c.base + "base.tags:\n" + tags + " 0 1 0 -\n")
          << args;
    }
  }
}

TEST(Options, EveryShowOptionIsAccepted) {
  const ScratchDir dir;
  std::filesystem::create_directory("run");
  write_file("run/quadri_concepts.txt",
             "\nU = {1, 2, },  T = {1, },  R = {1, 2, },  D = {5, }"
             "\nU = {1, 2, 3, },  T = {1, 2, },  R = {1, },  D = {5, 6, }");
  write_file("run/users_only.txt", "1 5\n2 5\n1 5\n2 5\n3 5\n");
  write_file("users", "ann 0 1 0 -\nbob 0 2 0 -\n");
  write_file("tags", "rock 0 1 0 -\n");
  write_file("resources", "- 0 0 1 Muse\n");
  write_file("b.tags", "rock 0 1 0 -\n");
  // Arguments, the first line of standard output.
  const struct {
    std::string args, first;
  } cases[] = {
      {"--dir run", "concept 1  (2 users, 1 tag, 2 resources, 1 D value)"},
      {"--dir run --users users --tags tags --resources resources --format tsv --limit 1",
       "concept\tusers\ttags\tresources\td"},
      {"--dir run --min-users 3 --min-tags 2 --min-resources 1 --min-d 2",
       "concept 2  (3 users, 2 tags, 1 resource, 2 D values)"},
      {"--dir run --sort file", "concept 1  (2 users, 1 tag, 2 resources, 1 D value)"},
      {"--dir run --sort size", "concept 2  (3 users, 2 tags, 1 resource, 2 D values)"},
      {"--dir run --sort resources", "concept 1  (2 users, 1 tag, 2 resources, 1 D value)"},
      {"--dir run --sort d", "concept 2  (3 users, 2 tags, 1 resource, 2 D values)"},
      {"--dir run --base b --format csv --codes",
       "concept,users,user_codes,tags,tag_codes,resources,resource_codes,d"},
      {"--dir run --user 3 --tag 2 --resource 1 --d 6",
       "concept 2  (3 users, 2 tags, 1 resource, 2 D values)"},
      {"--dir run --summary --format tsv --users users", "statistic\tdimension\tkey\tname\tvalue"},
      {"--dir run --summary --format json --top 0",
       "{\"concepts\": 2, \"users_only\": {\"lines\": 5, \"distinct_users\": 3},"},
  };
  for (const auto& c : cases) {
    const Outcome spaced = run(kShow, c.args);
    EXPECT_EQ(spaced.status, 0) << c.args << spaced.err;
    EXPECT_EQ(spaced.out.substr(0, spaced.out.find('\n')), c.first) << c.args;
    EXPECT_EQ(run(kShow, with_equals(c.args)), spaced) << with_equals(c.args);
  }
  // Given twice, the last value counts.
  EXPECT_EQ(run(kShow, "--dir . --dir run --format json --format tsv --limit 0").out,
            "concept\tusers\ttags\tresources\td\n");
}

}  // namespace

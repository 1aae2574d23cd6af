// The command lines of the programs, run as programs: -h, --help and
// --version; unknown options, stray words and bad values, said with the way to
// the help; standard output that cannot be written; every option of
// quadmine-prepare accepted in both of its spellings (--name value and
// --name=value), which the option parser all the commands share reads alike.
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
      {kPrepare, kIds + "--d 4 --frob -h", "Usage: quadmine-prepare RAW BASE"},
      {kPrepare, "--version", "quadmine-prepare 1.0.0\n"},
      {kPrepare, "--user 1 --version", "quadmine-prepare 1.0.0\n"},
      {kShow, "--help", "Usage: quadmine-show [options]"},
      {kShow, "--sort colour --limit x -h", "Usage: quadmine-show [options]"},
      {kShow, "--version", "quadmine-show 1.0.0\n"},
      {kEvaluate, "--help", "Usage: quadmine-evaluate BASE SPLIT"},
      {kEvaluate, "base 1 x 1 1 1 --k 0 -h", "Usage: quadmine-evaluate BASE SPLIT"},
      {kEvaluate, "--version", "quadmine-evaluate 1.0.0\n"},
      {kRecommend, "--help", "Usage: quadmine-recommend [options]\n"},
      {kRecommend, "--limit x -h", "Usage: quadmine-recommend [options]\n"},
      {kRecommend, "--version", "quadmine-recommend 1.0.0\n"},
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

// Errors of the command line: said, then the way to the help.
TEST(Options, UnknownOptionsStrayWordsAndBadValuesAreErrors) {
  const ScratchDir dir;
  write_file("raw", "1 2 3 4\n");
  const std::string kWords = "BASE SPLIT MINSUPP_U MINSUPP_T MINSUPP_R MINSUPP_D",
                    kLengths = " (list lengths from 1, separated by commas, each once)";
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
      {kShow, "--limit 2 --frob=3", "unknown option --frob"},
      {kShow, "--min-user 2", "unknown option --min-user"},
      {kShow, "extra", "unexpected argument extra"},
      {kShow, "--top -3", "bad value '-3' for --top"},
      {kShow, "--sort colour", "bad value 'colour' for --sort"},
      {kShow, "--limit -1", "bad value '-1' for --limit"},
      {kShow, "--dir ''", "bad value '' for --dir"},
      {kShow, "--format xml", "bad value 'xml' for --format"},
      {kRecommend, "--kind tags", "bad value 'tags' for --kind (resources, users or both)"},
      {kRecommend, "--rank best", "bad value 'best' for --rank (first-seen or support)"},
      {kRecommend, "--limit -1", "bad value '-1' for --limit (a whole number from 0)"},
      {kRecommend, "--format xml", "bad value 'xml' for --format (text, tsv, csv, json or jsonl)"},
      {kRecommend, "--dir ''", "bad value '' for --dir (a path)"},
      {kRecommend, "--exclude-known=", "option --exclude-known needs a value"},
      {kEvaluate, "base 2010 2 1 1", "give " + kWords + " (5 words given)"},
      {kEvaluate, "base 2010 2 1 1 1 1", "give " + kWords + " (7 words given)"},
      {kEvaluate, "base 20x 2 1 1 1", "bad SPLIT '20x' (a whole number)"},
      {kEvaluate, "base 2010 0 1 1 1", "bad MINSUPP_U '0' (a whole number, at least 1)"},
      {kEvaluate, "base 2010 2 1 1 x", "bad MINSUPP_D 'x' (a whole number, at least 1)"},
      {kEvaluate, "base 2010 2 1 1 1 --k 0", "bad value '0' for --k" + kLengths},
      {kEvaluate, "base 2010 2 1 1 1 --k 5,,10", "bad value '5,,10' for --k" + kLengths},
      {kEvaluate, "base 2010 2 1 1 1 --k 5,5", "bad value '5,5' for --k" + kLengths},
      {kEvaluate, "base 2010 2 1 1 1 --k ten", "bad value 'ten' for --k" + kLengths},
      {kEvaluate, "base 2010 2 1 1 1 --k", "option --k needs a value"},
      {kEvaluate, "base 2010 2 1 1 1 --format xml",
       "bad value 'xml' for --format (text, tsv or json)"},
  };
  for (const auto& c : cases) {
    write_file("base", "earlier\n");
    const std::string program = c.program.substr(c.program.rfind('/') + 1);
    EXPECT_EQ(run(c.program, c.args),
              (Outcome{1, "", program + ": " + c.err + "\nTry '" + program + " --help'.\n"}))
        << c.args;
    EXPECT_EQ(read_file("base"), "earlier\n") << c.args;
  }
}

// Standard output that cannot be written is an error, said on standard error.
// Small outputs fail when the buffer is flushed at the end, large ones on the
// way (and stop there); the base and the result files are written all the same.
TEST(Options, StandardOutputThatCannotBeWrittenIsAnError) {
  const ScratchDir dir;
  Store many;
  for (int u = 1; u <= 300; ++u) many.push_back(store(std::to_string(u) + " 0|1|1 2 3|7")[0]);
  write_results(".", many);
  write_file("raw", "1 2 5 1\n");
  write_file("base.txt", "1 10 5 7\n2 10 5 7\n");
  const std::string write = ": cannot write to standard output: ";
  const struct {
    std::string program, said;
    std::vector<std::string> args;
  } cases[] = {
      {kRecommend, "quadmine-recommend" + write, {"--user 1", "", "--format json", "--help"}},
      {kShow, "quadmine-show" + write, {"--limit 1", "", "--summary --format csv", "--help"}},
      {kPrepare,
       "quadmine-prepare: cannot write standard output: ",
       {kIds + "--d 4", "--help", "--version"}},
      {QUADMINE_BIN, "quadmine" + write, {"base.txt 2 1 1 1"}},  // last: it writes the results
  };
  for (const auto& c : cases) {
    for (const std::string& args : c.args) {
      for (const std::string target : {">/dev/full", ">&-"}) {
        const std::string reason =
            target == ">&-" ? "Bad file descriptor" : "No space left on device";
        EXPECT_EQ(run_shell("{ '" + c.program + "' " + args + " " + target + "; }"),
                  (Outcome{1, "", c.said + reason + "\n"}))
            << c.said << args << target;
      }
    }
  }
  EXPECT_EQ(
      files({"base", "quadri_concepts.txt"}),
      "base:\n1 2 5 1\nquadri_concepts.txt:\n\nU = {1, 2, },  T = {10, },  R = {5, },  D = {7, }");
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
      {nullptr, ids + "--time 4 --unit ms --period day --separator tab", "7 1 9 20090415\n"},
      {nullptr, ids + "--d 5 --separator tab --header", "7 1 9 2009\n"},
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

}  // namespace

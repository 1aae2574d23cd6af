// quadmine-evaluate run as a program: its outputs on a small base, its
// errors; and its training run held against the real quadmine run on the
// training lines.
#include <random>

#include "evaluate/split_base.h"
#include "evaluate/training_run.h"
#include "support.h"
#include "util/file_handle.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

const std::string kEvaluate = QUADMINE_EVALUATE_BIN;

Outcome evaluate(const std::string& args) { return run_shell("'" + kEvaluate + "' " + args); }

// The base of tests/evaluate_metrics_test.cpp, where every figure is worked
// out by hand.
const char* const kBase =
    "1 1 100 2009\n2 1 100 2009\n4 1 100 2009\n3 2 100 2009\n5 2 100 2009\n"
    "1 9 101 2010\n"
    "2 3 101 2009\n3 3 101 2009\n4 4 102 2009\n5 4 102 2009\n6 4 102 2009\n"
    "1 5 103 2009\n6 5 103 2009\n8 6 105 2008\n9 6 105 2008\n"
    "1 9 102 2010\n2 9 103 2010\n3 9 100 2010\n3 9 104 2010\n7 9 100 2010\n8 9 100 2010\n";

TEST(Evaluate, PrintsTheFiguresInEachFormat) {
  const ScratchDir dir;
  write_file("base", kBase);
  const Outcome tsv = evaluate("base 2010 2 1 1 1 --k 1,5 --format tsv");
  EXPECT_EQ(tsv.status, 0) << tsv.err;
  EXPECT_EQ(tsv.out,
            "method\tk\tusers\tprecision\trecall\thit_rate\tcoverage\n"
            "first-seen\t1\t4\t0.250000\t0.125000\t0.250000\t0.200000\n"
            "first-seen\t5\t4\t0.200000\t0.625000\t0.750000\t0.800000\n"
            "support\t1\t4\t0.500000\t0.250000\t0.500000\t0.400000\n"
            "support\t5\t4\t0.200000\t0.625000\t0.750000\t0.800000\n"
            "first-seen-new\t1\t4\t0.250000\t0.125000\t0.250000\t0.400000\n"
            "first-seen-new\t5\t4\t0.150000\t0.500000\t0.500000\t0.600000\n"
            "support-new\t1\t4\t0.250000\t0.125000\t0.250000\t0.200000\n"
            "support-new\t5\t4\t0.150000\t0.500000\t0.500000\t0.600000\n"
            "popular-new\t1\t4\t0.500000\t0.375000\t0.500000\t0.400000\n"
            "popular-new\t5\t4\t0.200000\t0.750000\t0.750000\t1.000000\n");
  EXPECT_EQ(tsv.err,
            "quadmine-evaluate: 14 training lines, 7 test lines, 6 reported concepts, 4 "
            "evaluated users\n");

  const Outcome text = evaluate("base 2010 2 1 1 1 --k=2");
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.err, "");
  EXPECT_EQ(text.out,
            "base               base\n"
            "split              2010 (training: d < 2010, test: d >= 2010)\n"
            "thresholds         2 1 1 1\n"
            "training lines     14\n"
            "test lines         7\n"
            "reported concepts  6\n"
            "evaluated users    4\n"
            "\n"
            "method              k  precision     recall   hit rate   coverage\n"
            "first-seen          2     0.2500     0.2500     0.5000     0.6000\n"
            "support             2     0.2500     0.2500     0.5000     0.4000\n"
            "first-seen-new      2     0.3750     0.5000     0.5000     0.6000\n"
            "support-new         2     0.3750     0.5000     0.5000     0.6000\n"
            "popular-new         2     0.5000     0.7500     0.7500     0.8000\n");

  const Outcome json = evaluate("base 2010 2 1 1 1 --k 5 --format json");
  EXPECT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(
      json.out.rfind(
          "{\n  \"base\": \"base\",\n  \"split\": 2010,\n  \"thresholds\": [2, 1, 1, 1],\n"
          "  \"training_lines\": 14,\n  \"test_lines\": 7,\n  \"reported_concepts\": 6,\n"
          "  \"evaluated_users\": 4,\n  \"scores\": [\n    {\"method\": \"first-seen\", \"k\": 5, "
          "\"users\"",
          0),
      0u)
      << json.out;
  EXPECT_NE(
      json.out.find("    {\"method\": \"popular-new\", \"k\": 5, \"users\": 4, \"precision\": "
                    "0.200000, \"recall\": 0.750000, \"hit_rate\": 0.750000, \"coverage\": "
                    "1.000000}\n  ]\n}\n"),
      std::string::npos)
      << json.out;
  EXPECT_EQ(run_shell("ls").out, "base\n");  // nothing written
}

TEST(Evaluate, HelpAndVersion) {
  const ScratchDir dir;
  for (const char* args : {"--help", "-h", "base 1 x 1 1 1 --k 0 -h"}) {
    const Outcome r = evaluate(args);
    EXPECT_EQ(r.status, 0) << args;
    EXPECT_EQ(r.out.rfind("Usage: quadmine-evaluate BASE SPLIT", 0), 0u) << args;
  }
  EXPECT_EQ(evaluate("--version").out, "quadmine-evaluate 1.0.0\n");
}

TEST(Evaluate, BadInputNamesTheCauseWithStatusOne) {
  const ScratchDir dir;
  write_file("base", kBase);
  write_file("bad", "1 1 100 2009\n1 x 100 2010\n");
  std::filesystem::create_directory("folder");
  const struct {
    const char *args, *err;
  } cases[] = {
      {"missing 2010 2 1 1 1", "cannot open missing: No such file or directory"},
      {"folder 2010 2 1 1 1", "cannot open folder"},
      {"bad 2010 2 1 1 1", "bad:2: not a quadruple line (four integers expected)"},
      {"base 2008 2 1 1 1",
       "SPLIT 2008 leaves the training part empty: no line of base has d < 2008"},
      {"base 2011 2 1 1 1", "SPLIT 2011 leaves the test part empty: no line of base has d >= 2011"},
      {"base 2010 2 1 1", "give BASE SPLIT MINSUPP_U MINSUPP_T MINSUPP_R MINSUPP_D (5 words"},
      {"base 2010 2 1 1 1 1", "give BASE SPLIT MINSUPP_U MINSUPP_T MINSUPP_R MINSUPP_D (7 words"},
      {"base 20x 2 1 1 1", "bad SPLIT '20x' (a whole number)"},
      {"base 2010 0 1 1 1", "bad MINSUPP_U '0' (a whole number, at least 1)"},
      {"base 2010 2 1 1 x", "bad MINSUPP_D 'x' (a whole number, at least 1)"},
      {"base 2010 2 1 1 1 --k 0", "bad value '0' for --k"},
      {"base 2010 2 1 1 1 --k 5,,10", "bad value '5,,10' for --k"},
      {"base 2010 2 1 1 1 --k 5,5", "bad value '5,5' for --k"},
      {"base 2010 2 1 1 1 --k ten", "bad value 'ten' for --k"},
      {"base 2010 2 1 1 1 --k=", "option --k needs a value"},
      {"base 2010 2 1 1 1 --k", "option --k needs a value"},
      {"base 2010 2 1 1 1 --format xml", "bad value 'xml' for --format (text, tsv or json)"},
      {"base 2010 2 1 1 1 --frob", "unknown option --frob"},
  };
  for (const auto& c : cases) {
    const Outcome r = evaluate(c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_EQ(r.out, "") << c.args;
    EXPECT_EQ(r.err.rfind(std::string("quadmine-evaluate: ") + c.err, 0), 0u)
        << c.args << ": " << r.err;
  }
}

// Lines of a few users, tags, resources and D values (2008 to 2010), in runs
// that share tag, resource and D.
std::string generated_base(std::mt19937& rng) {
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int lines = pick(2, 250), users = pick(2, 7), tags = pick(1, 4), resources = pick(1, 5);
  std::string base;
  for (int written = 0; written < lines;) {
    const std::string key = " " + std::to_string(pick(1, tags)) + " " +
                            std::to_string(pick(1, resources)) + " " +
                            std::to_string(pick(2008, 2010)) + "\n";
    for (int k = pick(1, 4); k > 0 && written < lines; --k, ++written) {
      base += std::to_string(pick(1, users)) + key;
    }
  }
  return base;
}

// What quadmine writes from the lines of `base` with d < split, and what
// mine_training gives from split_base's training part, must be the same
// files. "" when they are.
std::string compare_with_quadmine(const std::string& base, int split, const Thresholds& t) {
  const ScratchDir dir;
  write_file("base", base);
  const std::string s = std::to_string(split);
  run_shell("(awk 'NF && $4 < " + s + "' base > training)");
  const std::string thresholds = std::to_string(t.u) + " " + std::to_string(t.t) + " " +
                                 std::to_string(t.r) + " " + std::to_string(t.d);
  if (run_shell("'" QUADMINE_BIN "' training " + thresholds).status != 0) return "quadmine failed";
  FileHandle in(std::fopen("base", "r"));
  const Result<SplitBase> parts = split_base(in.get(), "base", split);
  if (!parts.ok()) return parts.message();
  if (parts->training != read_file("training")) return "the training lines differ";
  const Result<TrainingRun> run = mine_training(parts->training, t);
  if (!run.ok()) return run.message();
  if (run->concepts != read_file("quadri_concepts.txt")) return "quadri_concepts.txt differs";
  if (run->users_only != read_file("users_only.txt")) return "users_only.txt differs";
  return "";
}

TEST(Evaluate, MinesTheTrainingPartAsQuadmineDoes) {
  std::mt19937 rng(2010);
  for (int round = 0; round < 40; ++round) {
    const std::string base = generated_base(rng);
    const int split = std::uniform_int_distribution<int>(2009, 2010)(rng);
    const Thresholds t{1 + round % 3, 1 + round / 3 % 2, 1 + round / 6 % 2, 1 + round / 12 % 2};
    const std::string differs = compare_with_quadmine(base, split, t);
    if (differs.find(" leaves the ") != std::string::npos) continue;  // a part is empty
    ASSERT_EQ(differs, "") << "split " << split << ", thresholds " << t.u << t.t << t.r << t.d
                           << ":\n"
                           << base;
  }
  const std::string example =
      read_file(std::string(QUADMINE_SOURCE_DIR) + "/examples/tagging_base.txt");
  for (const Thresholds& t : {Thresholds{2, 1, 1, 1}, Thresholds{1, 1, 1, 1}}) {
    EXPECT_EQ(compare_with_quadmine(example, 2010, t), "") << t.u << t.t << t.r << t.d;
  }
}

// The same on the real year base split at 2010, when it is there.
TEST(Evaluate, MinesTheYearTrainingPartAsQuadmineDoes) {
  const char* dir = std::getenv("QUADMINE_DATA_DIR");
  const std::string path =
      std::string(dir != nullptr ? dir : QUADMINE_DATA_DIR) + "/lastfm_year.txt";
  const std::string base = read_file(path);
  if (base.empty()) GTEST_SKIP() << "no real base at " << path;
  EXPECT_EQ(compare_with_quadmine(base, 2010, {2, 1, 1, 1}), "");
}

}  // namespace

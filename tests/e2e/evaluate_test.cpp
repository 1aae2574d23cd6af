// quadmine-evaluate: its figures on a small base, worked out by hand, printed
// in each format; its errors; and its training run held against the real
// quadmine run on the training lines.
#include "e2e/run_support.h"
#include "evaluate/split_base.h"
#include "evaluate/training_run.h"
#include "util/file_handle.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

Outcome evaluate(const std::string& args) { return run(kEvaluate, args); }

// Training part (d < 2010): one tag per (resource, D) group, so that no pass
// merges or creates anything at 2 1 1 1 and the report is the six groups:
//   c0 U 1 2 4  R 100   c1 U 3 5  R 100   c2 U 2 3  R 101
//   c3 U 4 5 6  R 102   c4 U 1 6  R 103   (all D 2009)
//   c5 U 8 9    R 105   D 2008
// Served users (users_only.txt order): 1 2 4 3 5 6 with 2009, 8 9 with 2008.
// Test part: 1 -> 101 102, 2 -> 103, 3 -> 100 104, 8 -> 100, and user 7, who
// is not in the training run. Evaluated users: 1, 2, 3, 8 (n = 4).
// Known (training) resources: 1 -> 100 103, 2 -> 100 101, 3 -> 100 101,
// 8 -> 105. Training resources: 100 101 102 103 105 (5).
const char* const kBase =
    "1 1 100 2009\n2 1 100 2009\n4 1 100 2009\n3 2 100 2009\n5 2 100 2009\n"
    "1 9 101 2010\n"
    "2 3 101 2009\n3 3 101 2009\n4 4 102 2009\n5 4 102 2009\n6 4 102 2009\n"
    "1 5 103 2009\n6 5 103 2009\n8 6 105 2008\n9 6 105 2008\n"
    "1 9 102 2010\n2 9 103 2010\n3 9 100 2010\n3 9 104 2010\n7 9 100 2010\n8 9 100 2010\n";

// The lists at k = 5 (all of them shorter):
//   method           user 1        user 2        user 3        user 8
//   first-seen       100 101 102   100 102 103   100 102 103   -
//   support          102 100 101   102 100 103   100 102 103   -
//   first-seen-new   101 102       102 103       102 103       -
//   support-new      102 101       102 103       102 103       -
//   popular-new      102 101 105   102 103 105   102 103 105   100 102 101 103
// User 1 is in c0 and c4: its resources come from c1 (100, support 2), c2
// (101, 2) and c3 (102, 3). Users 2 and 3 see 100 with support 2 (c1) and 3
// (c0), 102 with 3, 103 with 2. User 8 is alone in group 2008. Popularity:
// 100 five users, 102 three, 101, 103 and 105 two (smaller code first).
// Relevant: 1 -> 101 102, 2 -> 103, 3 -> 100 104, 8 -> 100.
//
// How the figures come (hits per user u1 u2 u3 u8):
// first-seen   k = 1: hits 0 0 1 (100). Precision 1/4, recall (1/2)/4,
//              coverage {100} of 5.
//              k = 2: u1 hits 101, u3 hits 100: precision (1/2 + 1/2)/4,
//              recall the same, 2 users of 4, coverage {100 101 102}.
//              k = 5: hits 2, 1, 1, 0: precision (2 + 1 + 1)/5/4, recall
//              (1 + 1 + 1/2)/4, 3 users of 4, coverage {100 101 102 103}.
// support      k = 1: u1 hits 102, u3 100: precision 2/4, recall
//              (1/2 + 1/2)/4, coverage {100 102}.
// first-seen-new  k = 1: u1 hits 101; coverage {101 102}. k = 2: u1 hits 2
//              (precision 1, recall 1), u2 hits 103 (1/2, 1): precision
//              1.5/4, recall 2/4.
// popular-new  k = 1: u1 hits 102, u8 hits 100: recall (1/2 + 1)/4. k = 2: u1
//              2 hits, u2 1, u8 1: precision (1 + 1/2 + 1/2)/4, recall 3/4,
//              coverage {100 101 102 103}. k = 5: every training resource is
//              listed.
TEST(Evaluate, PrintsTheFiguresInEachFormat) {
  const ScratchDir dir;
  write_file("base", kBase);
  EXPECT_EQ(evaluate("base 2010 2 1 1 1 --k 1,5 --format tsv"),
            (Outcome{0,
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
                     "popular-new\t5\t4\t0.200000\t0.750000\t0.750000\t1.000000\n",
                     "quadmine-evaluate: 14 training lines, 7 test lines, 6 reported concepts, 4 "
                     "evaluated users\n"}));

  EXPECT_EQ(evaluate("base 2010 2 1 1 1 --k=2"),
            (Outcome{0,
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
                     "popular-new         2     0.5000     0.7500     0.7500     0.8000\n",
                     ""}));

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

// With no evaluated user every average is 0, and coverage counts nothing.
TEST(Evaluate, NoEvaluatedUser) {
  const ScratchDir dir;
  write_file("base", "1 1 10 5\n2 1 10 5\n3 1 10 6\n");
  std::string zeros = "method\tk\tusers\tprecision\trecall\thit_rate\tcoverage\n";
  for (const char* method :
       {"first-seen", "support", "first-seen-new", "support-new", "popular-new"}) {
    zeros += std::string(method) + "\t3\t0\t0.000000\t0.000000\t0.000000\t0.000000\n";
  }
  EXPECT_EQ(evaluate("base 6 2 1 1 1 --k 3 --format tsv").out, zeros);
}

// (Bad words and values of the command line: see options_test.cpp.)
TEST(Evaluate, BadInputNamesTheCauseWithStatusOne) {
  const ScratchDir dir;
  write_file("base", kBase);
  write_file("bad", "1 1 100 2009\n1 x 100 2010\n");
  std::filesystem::create_directory("folder");
  const struct {
    const char *args, *err;
  } cases[] = {
      {"missing 2010 2 1 1 1", "cannot open missing: No such file or directory"},
      {"folder 2010 2 1 1 1", "cannot open folder: Is a directory"},
      {"bad 2010 2 1 1 1", "bad:2: not a quadruple line (four integers expected)"},
      {"base 2008 2 1 1 1",
       "SPLIT 2008 leaves the training part empty: no line of base has d < 2008"},
      {"base 2011 2 1 1 1", "SPLIT 2011 leaves the test part empty: no line of base has d >= 2011"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(evaluate(c.args),
              (Outcome{1, "", "quadmine-evaluate: " + std::string(c.err) + "\n"}));
  }
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
    const std::string base = generated_base(rng, 250, 1, 2008, 2010);
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

}  // namespace

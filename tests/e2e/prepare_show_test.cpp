// quadmine-prepare run as a program on small raw files, standard output and
// files compared byte for byte; and the warning of quadmine on a base whose
// triples form several runs. (quadmine-show: show_test.cpp.)
#include "support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

// Runs `program args` (args already quoted for the shell) in the current directory.
Outcome run_tool(const std::string& program, const std::string& args) {
  return run_shell("'" + program + "' " + args);
}

Outcome prepare(const std::string& raw, const std::string& args) {
  write_file("raw", raw);
  return run_tool(QUADMINE_PREPARE_BIN, "raw base " + args);
}

const std::string kIds = "--user 1 --tag 2 --resource 3 ";

TEST(Prepare, WritesSortedDistinctQuadruplesAndDictionaries) {
  struct Case {
    const char *raw, *args, *base, *tags;
  } cases[] = {
      // Tabs and a header; calendar columns coarsened to months; a repeated event.
      {"u\ttag\tres\td\tm\ty\n5\t2\t9\t15\t4\t2009\n5\t2\t9\t1\t4\t2009\n1\t2\t9\t30\t4\t2009\n"
       "3\t1\t9\t1\t12\t2008\n",
       "--year y --month m --day d --period month", "3 1 9 200812\n1 2 9 200904\n5 2 9 200904\n",
       nullptr},
      // Commas, quotes and text tags, coded in order of first appearance.
      {"7,hip hop,20,1\n7,\"a,\"\"b\"\"%\",20,1\n8,hip hop,10,1\n", "--d 4",
       "8 1 10 1\n7 1 20 1\n7 2 20 1\n", "hip%20hop 0 1 0 -\na,\"b\"%25 0 2 0 -\n"},
      // Runs of blanks, Unix seconds before and after 1970, by day.
      {"  1 2 3 -1\n1  2 3 86400 \n\n", "--time 4 --period day", "1 2 3 19691231\n1 2 3 19700102\n",
       nullptr},
      // Milliseconds: -1 ms is still 1969.
      {"1 2 3 -1\n1 2 3 0\n", "--time 4 --unit ms --period year", "1 2 3 1969\n1 2 3 1970\n",
       nullptr},
  };
  for (const Case& c : cases) {
    const ScratchDir dir;
    const Outcome r = prepare(c.raw, kIds + c.args);
    EXPECT_EQ(r.status, 0) << c.args << r.err;
    EXPECT_EQ(read_file("base"), c.base) << c.args;
    EXPECT_EQ(std::filesystem::exists("base.tags"), c.tags != nullptr) << c.args;
    EXPECT_EQ(read_file("base.tags"), c.tags != nullptr ? c.tags : "");
    EXPECT_FALSE(std::filesystem::exists("base.resources"));
  }
}

TEST(Prepare, BadInputNamesFileAndLineAndLeavesTheBase) {
  struct Case {
    const char *raw, *args, *err;
  } cases[] = {
      {"1 2 3 4\n1 2 3\n", "--d 4", "raw:2: missing columns: the line has 3 fields, 4 are needed"},
      {"1 2 3 4\n1 2 3 x4\n", "--d 4", "raw:2: bad number 'x4' in column 4"},
      {"1 2 3 2009 2\n1 2 3 2009 13\n", "--year 4 --month 5", "raw:2: bad date '2009', '13'"},
      {"1 2 3 2000 2 29\n1 2 3 1900 2 29\n", "--year 4 --month 5 --day 6",
       "raw:2: bad date '1900', '2', '29'"},
      {"1 2 3 9999 1\n1 2 3 1 0\n", "--year 4 --month 5 --period year", "raw:2: bad date '1', '0'"},
      {"1 2 3 1\n1 2 3 0\n", "--year 4", "raw:2: bad date '0'"},
      {"1 2 3 9999\n1 2 3 10000\n", "--year 4", "raw:2: bad date '10000'"},
      {"1,,3,4\n", "--d 4", "raw:1: empty tag in column 2"},
      {"1,\"2,3,4\n", "--d 4", "raw:1: unclosed quote"},
      {"a b c when\n", "--d when --tag x", "raw:1: no column named 'x' in the header"},
      {"1 2 3 4\n", "--time 4", "--time needs --period year|month|day\nTry"},
  };
  for (const Case& c : cases) {
    const ScratchDir dir;
    write_file("base", "earlier\n");
    const Outcome r = prepare(c.raw, kIds + c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    EXPECT_EQ(read_file("base"), "earlier\n");
    EXPECT_EQ(run_tool("ls", "").out, "base\nraw\n");  // no temporary file
  }
  const ScratchDir dir;
  const Outcome help = prepare("", "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: quadmine-prepare RAW BASE", 0), 0U);
}

// The base and its dictionaries are replaced together or not at all.
TEST(Prepare, WritesEveryFileOrNone) {
  const ScratchDir dir;
  const std::string raw = "1,rock,Muse,1\n";
  write_file("base.tags", "earlier\n");
  std::filesystem::create_directory("base");
  const Outcome r = prepare(raw, kIds + "--d 4");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "quadmine-prepare: cannot create base: Is a directory\n");
  EXPECT_EQ(read_file("base.tags"), "earlier\n");
  EXPECT_EQ(run_tool("ls", "").out, "base\nbase.tags\nraw\n");  // no temporary file
  std::filesystem::remove("base");
  ASSERT_EQ(prepare(raw, kIds + "--d 4").status, 0);
  EXPECT_EQ(read_file("base") + read_file("base.tags") + read_file("base.resources"),
            "1 1 1 1\nrock 0 1 0 -\n- 0 0 1 Muse\n");
  EXPECT_EQ(run_tool("ls", "").out, "base\nbase.resources\nbase.tags\nraw\n");
}

TEST(Quadmine, WarnsOnceWhenATripleFormsSeveralRuns) {
  const ScratchDir dir;
  // Tag 10 in three runs (lines 1, 3-4, 6), tag 11 in two (lines 2, 5).
  write_file("base.txt",
             "1 10 100 5\n2 11 100 5\n3 10 100 5\n4 10 100 5\n5 11 100 5\n6 10 100 5\n");
  const Outcome r = run_tool(QUADMINE_BIN, "base.txt 2 1 1 1");
  EXPECT_EQ(r.err,
            "quadmine: warning: 2 (tag, resource, D) triples of base.txt occur in more than "
            "one run of lines, the first again at line 3; each run is mined as a group of "
            "its own. quadmine-prepare writes a base sorted by resource, D, tag and user.\n");
  write_file("base.txt", "1 10 100 5\n2 10 100 5\n3 11 100 5\n4 10 101 5\n5 11 101 5\n");
  EXPECT_EQ(run_tool(QUADMINE_BIN, "base.txt 2 1 1 1").err, "");
}

}  // namespace

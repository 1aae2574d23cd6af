// quadmine-show run as a program on the files of quadmine-prepare and
// quadmine, standard output and files compared byte for byte; and the warning
// of quadmine on a base whose triples form several runs.
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

// The whole path: text tags and resources prepared, mined, shown with their names.
TEST(Show, PrintsConceptsWithDictionaryTexts) {
  const ScratchDir dir;
  const char* raw =
      "1,rock,Muse,1\n2,rock,Muse,1\n3,rock,Muse,1\n1,synth pop,Muse,1\n"
      "2,synth pop,Muse,1\n1,rock,Oasis,1\n2,rock,Oasis,1\n";
  ASSERT_EQ(prepare(raw, kIds + "--d 4").status, 0);
  ASSERT_EQ(run_tool(QUADMINE_BIN, "base 2 1 1 1").status, 0);
  const std::string concepts = read_file("quadri_concepts.txt");
  const std::string users = read_file("users_only.txt");
  const std::string dicts = "--tags base.tags --resources base.resources ";
  struct Case {
    std::string args, out;
  } cases[] = {
      {dicts + "--min-users 3",
       "concept 1  (3 users, 1 tag, 1 resource, 1 D value)\n  users      1, 2, 3\n"
       "  tags       rock\n  resources  Muse\n  D          1\n\n"},
      {dicts + "--format tsv --sort resources --limit 2",
       "concept\tusers\ttags\tresources\td\n3\t1 2\trock\tMuse Oasis\t1\n1\t1 2 "
       "3\trock\tMuse\t1\n"},
      {"--tags base.tags --format tsv --min-users 1 --limit 2",
       "concept\tusers\ttags\tresources\td\n1\t1 2 3\trock\t1\t1\n2\t1 2\tsynth%20pop\t1\t1\n"},
      {"--format json --min-tags 2", "[]\n"},
      {dicts + "--format json --sort users --limit 1",
       "[\n  {\"concept\": 1, \"users\": [1, 2, 3], \"tags\": [1], \"resources\": [1], \"d\": [1], "
       "\"tag_names\": [\"rock\"], \"resource_names\": [\"Muse\"]}\n]\n"},
      {dicts + "--summary --format tsv --top 1",
       "concepts\t3\nusers_only\t7\t3\nsize\tusers\t2\t2\nsize\tusers\t3\t1\nsize\ttags\t1\t3\n"
       "size\tresources\t1\t2\nsize\tresources\t2\t1\nsize\td\t1\t3\n"
       "top\tusers\t1\t1\t3\ntop\ttags\t1\trock\t2\ntop\tresources\t1\tMuse\t3\ntop\td\t1\t1\t3\n"},
      {dicts + "--summary --top 1",
       "concepts        3\nusers_only.txt  7 lines, 3 distinct users\n\nconcepts by set size\n"
       "      size      users       tags  resources          D\n"
       "         1          0          3          2          3\n"
       "         2          2          0          1          0\n"
       "         3          1          0          0          0\n\n"
       "most frequent users (concepts holding them)\n  1        3\n\n"
       "most frequent tags (concepts holding them)\n  rock        2\n\n"
       "most frequent resources (concepts holding them)\n  Muse        3\n\n"
       "most frequent D values (concepts holding them)\n  1        3\n"},
      {dicts + "--summary --format json --top 1",
       "{\"concepts\": 3, \"users_only\": {\"lines\": 7, \"distinct_users\": 3},\n"
       " \"sizes\": {\"users\": {\"2\": 2, \"3\": 1}, \"tags\": {\"1\": 3}, "
       "\"resources\": {\"1\": 2, \"2\": 1}, \"d\": {\"1\": 3}},\n"
       " \"top\": {\"users\": [{\"code\": 1, \"concepts\": 3}],\n"
       "  \"tags\": [{\"code\": 1, \"name\": \"rock\", \"concepts\": 2}],\n"
       "  \"resources\": [{\"code\": 1, \"name\": \"Muse\", \"concepts\": 3}],\n"
       "  \"d\": [{\"code\": 1, \"concepts\": 3}]}}\n"},
      {"--min-d 2 --format tsv", "concept\tusers\ttags\tresources\td\n"},
      {"--limit 0 --format tsv", "concept\tusers\ttags\tresources\td\n"},
      {"--limit 9 --format tsv --min-users 3",
       "concept\tusers\ttags\tresources\td\n1\t1 2 3\t1\t1\t1\n"},
  };
  for (const Case& c : cases) {
    const Outcome r = run_tool(QUADMINE_SHOW_BIN, c.args);
    EXPECT_EQ(r.status, 0) << c.args << r.err;
    EXPECT_EQ(r.out, c.out) << c.args;
  }
  EXPECT_EQ(read_file("quadri_concepts.txt"), concepts);  // only read
  EXPECT_EQ(read_file("users_only.txt"), users);
}

TEST(Show, BadInputIsAnError) {
  const ScratchDir dir;
  const std::string show = QUADMINE_SHOW_BIN;
  EXPECT_NE(run_tool(show, "").err.find("cannot open ./quadri_concepts.txt"), std::string::npos);
  write_file("quadri_concepts.txt", "\nU = {1, },  T = {2, },  R = {3, },  D = {4, }\nU = {1}");
  write_file("tags", "rock 0 1 0 -\nrock 0\n");
  const struct {
    std::string args, err;
  } cases[] = {{"", "./quadri_concepts.txt:3: not a concept line"},
               {"--sort colour", "bad value 'colour' for --sort"},
               {"--limit -1", "bad value '-1' for --limit"},
               {"--limit", "option --limit needs a value"}};
  for (const auto& c : cases) {
    const Outcome r = run_tool(show, c.args);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
  write_file("quadri_concepts.txt", "\nU = {1, },  T = {2, },  R = {3, },  D = {4, }");
  EXPECT_EQ(run_tool(show, "--tags tags").err, "quadmine-show: tags:2: not a dictionary line\n");
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

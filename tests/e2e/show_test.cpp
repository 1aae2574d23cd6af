// quadmine-show run as a program: what it prints in each format, byte for
// byte (names of any bytes kept one word); codes, filters, the summary table;
// --limit reading no further than it needs; the dictionaries of a base named
// or found (the lookup quadmine-recommend shares). Standard output that cannot
// be written: see options_test.cpp.
#include <sys/stat.h>

#include "e2e/run_support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

Outcome show(const std::string& args) { return run(kShow, args); }

// The folder run/ of a run with three concepts, and the dictionaries of base b
// beside them: users 1-3 (4 lacks a name), tags 1-5 (two named rock, 6
// lacks a name), resources 1-2 (3 lacks one).
void write_run() {
  write_results("run", store("1 2|1 2|1|2009, 2 3 4|3|1 2|2009 2010, 1|4 5 6|3|2010"));
  write_dictionary("run/b.users", DictionaryKind::Tag, {"ann", "bob", "cy"});
  write_dictionary("run/b.tags", DictionaryKind::Tag,
                   {"rock", "indie pop", "rock", "a,b", "\"q\""});
  write_dictionary("run/b.resources", DictionaryKind::Resource, {"Muse", "Blur, the"});
}

const std::string kFound = "quadmine-show: names from run/b.users, run/b.tags, run/b.resources\n";

TEST(Show, EveryFormatByteForByte) {
  const ScratchDir dir;
  write_run();
  struct Case {
    std::string args, out;
  } cases[] = {
      {"--limit 2",
       "concept 1  (2 users, 2 tags, 1 resource, 1 D value)\n  users      ann, bob\n"
       "  tags       rock, indie pop\n  resources  Muse\n  D          2009\n\n"
       "concept 2  (3 users, 1 tag, 2 resources, 2 D values)\n  users      bob, cy, 4\n"
       "  tags       rock\n  resources  Muse, Blur, the\n  D          2009, 2010\n\n"},
      {"--sort tags --limit 1 --codes",
       "concept 3  (1 user, 3 tags, 1 resource, 1 D value)\n  users      ann (1)\n"
       "  tags       a,b (4), \"q\" (5), 6\n  resources  3\n  D          2010\n\n"},
      {"--format tsv",
       "concept\tusers\ttags\tresources\td\n1\tann bob\trock indie%20pop\tMuse\t2009\n"
       "2\tbob cy 4\trock\tMuse Blur,%20the\t2009 2010\n3\tann\t\"a,b \"\"q\"\" 6\"\t3\t2010\n"},
      {"--format csv --codes",
       "concept,users,user_codes,tags,tag_codes,resources,resource_codes,d\n"
       "1,ann bob,1 2,rock indie%20pop,1 2,Muse,1,2009\n"
       "2,bob cy 4,2 3 4,rock,3,\"Muse Blur,%20the\",1 2,2009 2010\n"
       "3,ann,1,\"a,b \"\"q\"\" 6\",4 5 6,3,3,2010\n"},
      {"--format json --limit 1",
       "[\n  {\"concept\": 1, \"users\": [1, 2], \"user_names\": [\"ann\", \"bob\"], "
       "\"tags\": [1, 2], \"tag_names\": [\"rock\", \"indie pop\"], \"resources\": [1], "
       "\"resource_names\": [\"Muse\"], \"d\": [2009]}\n]\n"},
      {"--format jsonl --min-tags 3 --codes",
       "{\"concept\": 3, \"users\": [1], \"user_names\": [\"ann\"], \"tags\": [4, 5, 6], "
       "\"tag_names\": [\"a,b\", \"\\\"q\\\"\", null], \"resources\": [3], "
       "\"resource_names\": [null], \"d\": [2010]}\n"},
      {"--format json --tag 9 --tag 10", "[]\n"},
      {"--format jsonl --limit 0", ""},
      {"--summary --top 2 --codes",
       "concepts        3\nusers_only.txt  6 lines, 4 distinct users\n\nconcepts by set size\n"
       "      size      users       tags  resources          D\n"
       "         1          1          1          2          2\n"
       "         2          1          1          1          1\n"
       "         3          1          1          0          0\n\n"
       "most frequent users (concepts holding them)\n  ann (1)        2\n  bob (2)        2\n\n"
       "most frequent tags (concepts holding them)\n  rock (1)             1\n"
       "  indie pop (2)        1\n\nmost frequent resources (concepts holding them)\n"
       "  Muse (1)             2\n  Blur, the (2)        1\n\n"
       "most frequent D values (concepts holding them)\n  2009        2\n  2010        2\n"},
      {"--summary --format csv --top 1 --tag 4",
       "statistic,dimension,key,name,value\nconcepts,,,,1\nusers_only_lines,,,,6\n"
       "users_only_distinct_users,,,,4\nsize,users,1,,1\nsize,tags,3,,1\nsize,resources,1,,1\n"
       "size,d,1,,1\ntop,users,1,ann,1\ntop,tags,4,\"a,b\",1\ntop,resources,3,,1\n"
       "top,d,2010,,1\n"},
      {"--summary --format jsonl --top 1 --limit 1",
       "{\"concepts\": 1, \"users_only\": {\"lines\": 6, \"distinct_users\": 4}, \"sizes\": "
       "{\"users\": {\"2\": 1}, \"tags\": {\"2\": 1}, \"resources\": {\"1\": 1}, \"d\": {\"1\": "
       "1}}, "
       "\"top\": {\"users\": [{\"code\": 1, \"name\": \"ann\", \"concepts\": 1}], \"tags\": "
       "[{\"code\": 1, \"name\": \"rock\", \"concepts\": 1}], \"resources\": [{\"code\": 1, "
       "\"name\": \"Muse\", \"concepts\": 1}], \"d\": [{\"code\": 2009, \"concepts\": 1}]}}\n"},
      {"--summary --format tsv --top 1 --limit 1",
       "statistic\tdimension\tkey\tname\tvalue\nconcepts\t\t\t\t1\nusers_only_lines\t\t\t\t6\n"
       "users_only_distinct_users\t\t\t\t4\nsize\tusers\t2\t\t1\nsize\ttags\t2\t\t1\n"
       "size\tresources\t1\t\t1\nsize\td\t1\t\t1\ntop\tusers\t1\tann\t1\ntop\ttags\t1\trock\t1\n"
       "top\tresources\t1\tMuse\t1\ntop\td\t2009\t\t1\n"},
      {"--summary --format json --top 0 --limit 1",
       "{\"concepts\": 1, \"users_only\": {\"lines\": 6, \"distinct_users\": 4},\n \"sizes\": "
       "{\"users\": {\"2\": 1}, \"tags\": {\"2\": 1}, \"resources\": {\"1\": 1}, \"d\": {\"1\": "
       "1}},\n \"top\": {\"users\": [],\n  \"tags\": [],\n  \"resources\": [],\n  \"d\": []}}\n"},
  };
  for (const Case& c : cases) {
    const Outcome r = show("--dir run " + c.args);
    EXPECT_EQ(r.status, 0) << c.args << r.err;
    EXPECT_EQ(r.out, c.out) << c.args;
    EXPECT_EQ(r.err, kFound) << c.args;
  }
}

TEST(Show, FiltersByNameOrCode) {
  const ScratchDir dir;
  write_run();
  // Arguments, the numbers of the concepts printed.
  const struct {
    std::string args, concepts;
  } cases[] = {
      {"", "1 2 3"},
      {"--tag rock", "1 2"},  // two tags share the name
      {"--tag 2", "1"},
      {"--tag=a,b", "3"},  // one value, comma and all
      {"--tag 6", "3"},    // a code without a name
      {"--user ann", "1 3"},
      {"--user ann --tag rock", "1"},
      {"--user ann --user cy", "1 2 3"},
      {"--d 2010", "2 3"},
      {"--resource 'Blur, the' --d 2009", "2"},
      {"--tag rock --sort users", "2 1"},
      {"--tag rock --min-users 3", "2"},
      {"--user 9 --user -1", ""},
      {"--min-resources 2 --min-d 2", "2"},
      {"--min-tags 2 --sort file", "1 3"},
      {"--sort resources", "2 1 3"},
      {"--sort d", "2 1 3"},
      {"--sort size", "2 1 3"},
      {"--users run/b.users --tags run/b.tags --resources run/b.resources --user bob", "1 2"},
  };
  for (const auto& c : cases) {
    const Outcome r = show("--dir run --format tsv " + c.args);
    EXPECT_EQ(r.status, 0) << c.args << r.err;
    const std::string numbers =
        std::regex_replace(r.out.substr(r.out.find('\n') + 1), std::regex("\t[^\n]*\n"), " ");
    EXPECT_EQ(numbers, c.concepts.empty() ? "" : c.concepts + " ") << c.args;
  }
  // Given twice, the last value counts.
  EXPECT_EQ(show("--dir . --dir run --format json --format tsv --limit 0").out,
            "concept\tusers\ttags\tresources\td\n");
  // Values that name nothing.
  const struct {
    std::string args, err;
  } failures[] = {
      {"--tag jazz", "no tag named 'jazz' in run/b.tags"},
      {"--user Ann", "no user named 'Ann' in run/b.users"},
      {"--d 20x", "'20x' is not a D value"},
      {"--resource Muse --users none", "cannot open none: No such file or directory"},
  };
  for (const auto& c : failures) {
    const Outcome r = show("--dir run " + c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_EQ(r.out, "") << c.args;
    EXPECT_NE(r.err.find("quadmine-show: " + c.err + "\n"), std::string::npos) << r.err;
  }
  write_file("run/b.resources", "");
  EXPECT_EQ(show("--dir run --resource Muse").err,
            kFound + "quadmine-show: no resource named 'Muse' in run/b.resources\n");
  std::filesystem::remove("run/b.resources");
  EXPECT_EQ(show("--dir run --resource Muse").err,
            "quadmine-show: names from run/b.users, run/b.tags\n"
            "quadmine-show: 'Muse' is not a resource code\n");
}

// Every byte that would break a word of a list is %-escaped, '%' too, in
// every format that joins words with blanks.
TEST(Show, NamesOfAnyBytesStayOneWord) {
  const ScratchDir dir;
  write_file("quadri_concepts.txt",
             "\nU = {1, },  T = {1, 2, 3, 4, 5, 6, },  R = {1, },  D = {7, }");
  write_dictionary("b.tags", DictionaryKind::Tag,
                   {"tab\there", "two\nlines", "cr\r", "100%", "%20", "caf\xc3\xa9 \x7f"});
  const std::string tags = "tab%09here two%0Alines cr%0D 100%25 %2520 caf\xc3\xa9%20%7F";
  EXPECT_EQ(show("--format tsv").out,
            "concept\tusers\ttags\tresources\td\n1\t1\t" + tags + "\t1\t7\n");
  EXPECT_EQ(show("--format csv").out, "concept,users,tags,resources,d\n1,1," + tags + ",1,7\n");
}

TEST(Show, LimitReadsNoFurtherThanItNeeds) {
  const ScratchDir dir;
  const std::string line = "U = {1, },  T = {2, },  R = {3, },  D = {4, }";
  // A report file whose tail is not a concept line (a comma missing after
  // a number): --limit stops before it.
  write_file("quadri_concepts.txt", "\n" + line + "\n" + line + "\nU = {1;;2" + line.substr(6));
  EXPECT_EQ(show("--limit 2 --format csv"),
            (Outcome{0, "concept,users,tags,resources,d\n1,1,2,3,4\n2,1,2,3,4\n", ""}));
  EXPECT_EQ(show("--limit 2 --summary --format jsonl").out.substr(0, 16), "{\"concepts\": 2, ");
  EXPECT_EQ(show("--limit 2 --d 5").status, 1);  // no concept kept: reads on to the tail
  EXPECT_EQ(show("--format csv").err,
            "quadmine-show: ./quadri_concepts.txt:4: not a concept line\n");
  EXPECT_EQ(show("--limit 2 --sort size").status, 1);  // another order reads everything
  // A report file that never ends: a FIFO fed by `yes`.
  std::filesystem::remove("quadri_concepts.txt");
  ASSERT_EQ(mkfifo("quadri_concepts.txt", 0600), 0);
  const Outcome endless = run_shell("(yes '" + line + "' > quadri_concepts.txt &) ; timeout 20 '" +
                                    kShow + "' --limit 3 --format jsonl --min-users 1");
  EXPECT_EQ(endless.status, 0) << endless.err;
  EXPECT_EQ(endless.out,
            "{\"concept\": 1, \"users\": [1], \"tags\": [2], \"resources\": [3], \"d\": [4]}\n"
            "{\"concept\": 2, \"users\": [1], \"tags\": [2], \"resources\": [3], \"d\": [4]}\n"
            "{\"concept\": 3, \"users\": [1], \"tags\": [2], \"resources\": [3], \"d\": [4]}\n");
}

TEST(Show, NamesFromTheBaseNamedOrFound) {
  const ScratchDir dir;
  std::filesystem::create_directory("data");
  write_file("quadri_concepts.txt", "\nU = {1, },  T = {1, },  R = {1, },  D = {7, }");
  write_dictionary("data/base.txt.tags", DictionaryKind::Tag, {"rock"});
  write_dictionary("data/base.txt.resources", DictionaryKind::Resource, {"Muse"});
  write_dictionary("other.tags", DictionaryKind::Tag, {"jazz"});
  write_dictionary("data/other.users", DictionaryKind::Tag, {"ann"});
  // Arguments (run in the folder of the report), standard output, standard error.
  const struct {
    std::string args, out, err;
  } cases[] = {
      // One base in the folder: found, and said.
      {"", "1\t1\tjazz\t1\t7\n", "quadmine-show: names from ./other.tags\n"},
      {"--tags data/base.txt.tags", "1\t1\trock\t1\t7\n", ""},
      {"--base data/base.txt", "1\t1\trock\tMuse\t7\n", ""},
      // The options of each dimension win over --base and over what is found.
      {"--base data/base.txt --tags other.tags", "1\t1\tjazz\tMuse\t7\n", ""},
      {"--resources data/base.txt.resources", "1\t1\tjazz\tMuse\t7\n",
       "quadmine-show: names from ./other.tags\n"},
      {"--base data/other", "1\tann\t1\t1\t7\n", ""},
      // Several bases in the folder: none is used.
      {"--dir data", "",
       "quadmine-show: dictionaries of several bases in data: data/base.txt, data/other; none "
       "used (choose one with --base)\n"},
  };
  for (const auto& c : cases) {
    if (c.args == "--dir data") {
      write_file("data/quadri_concepts.txt", read_file("quadri_concepts.txt"));
    }
    const Outcome r = show("--format tsv " + c.args);
    EXPECT_EQ(r.status, 0) << c.args << r.err;
    const std::string out = c.out.empty() ? "1\t1\t1\t1\t7\n" : c.out;
    EXPECT_EQ(r.out, "concept\tusers\ttags\tresources\td\n" + out) << c.args;
    EXPECT_EQ(r.err, c.err) << c.args;
  }
  EXPECT_EQ(show("--base base.txt"),
            (Outcome{1, "",
                     "quadmine-show: no dictionary base.txt.users, base.txt.tags or "
                     "base.txt.resources\n"}));
  write_file("data/base.txt.users", "no dictionary\n");
  EXPECT_EQ(show("--base data/base.txt").err,
            "quadmine-show: data/base.txt.users:1: not a dictionary line\n");
}

// (Bad values of options: see options_test.cpp.)
TEST(Show, BadInputIsAnError) {
  const ScratchDir dir;
  EXPECT_EQ(show(""), (Outcome{1, "",
                               "quadmine-show: cannot open ./quadri_concepts.txt: No such file or "
                               "directory\n"}));
  write_file("quadri_concepts.txt", "\nU = {1, },  T = {2, },  R = {3, },  D = {4, }\nU = {1}");
  EXPECT_EQ(show("--format csv"),  // what comes before the bad line is printed
            (Outcome{1, "concept,users,tags,resources,d\n1,1,2,3,4\n",
                     "quadmine-show: ./quadri_concepts.txt:3: not a concept line\n"}));
}

}  // namespace

// quadmine-show run as a program: what it prints in each format, byte for
// byte; TSV, CSV and JSON read back by Python's csv and json modules (the
// escaping quadmine-recommend shares); codes, filters, the summary table;
// --limit reading no further than it needs; the dictionaries of a base named
// or found (the lookup quadmine-recommend shares); standard output that
// cannot be written.
#include <sys/stat.h>

#include "formats/code_dictionary.h"
#include "support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

const std::string kShow = QUADMINE_SHOW_BIN;

Outcome show(const std::string& args) { return run_shell("'" + kShow + "' " + args); }

// Runs quadmine-show with its standard output into `file`; its status.
int show_into(const std::string& args, const std::string& file) {
  return run_shell("{ '" + kShow + "' " + args + " >" + file + "; }").status;
}

// A dictionary of `kind` in which texts[i] has code i + 1, as prepare writes it.
void write_dictionary(const std::string& path, DictionaryKind kind,
                      const std::vector<std::string>& texts) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  for (std::size_t i = 0; i < texts.size(); ++i) {
    write_code_dictionary_line(out, kind, static_cast<int>(i + 1), texts[i]);
  }
  std::fclose(out);
}

// The folder run/ of a run with three concepts, and the dictionaries of base b
// beside them: users 1-3 (4 lacks a name), tags 1-5 (two named rock, 6
// lacks a name), resources 1-2 (3 lacks one).
void write_run() {
  std::filesystem::create_directory("run");
  write_file("run/quadri_concepts.txt",
             "\nU = {1, 2, },  T = {1, 2, },  R = {1, },  D = {2009, }"
             "\nU = {2, 3, 4, },  T = {3, },  R = {1, 2, },  D = {2009, 2010, }"
             "\nU = {1, },  T = {4, 5, 6, },  R = {3, },  D = {2010, }");
  write_file("run/users_only.txt", "1 2009\n2 2009\n2 2009\n3 2009\n4 2009\n1 2010\n");
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
  };
  for (const auto& c : cases) {
    const Outcome r = show("--dir run --format tsv " + c.args);
    EXPECT_EQ(r.status, 0) << c.args << r.err;
    const std::string numbers =
        std::regex_replace(r.out.substr(r.out.find('\n') + 1), std::regex("\t[^\n]*\n"), " ");
    EXPECT_EQ(numbers, c.concepts.empty() ? "" : c.concepts + " ") << c.args;
  }
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

// Reads a TSV or CSV file with Python's csv module and prints every row as a
// list of fields, each field split at its blanks into %-decoded words.
const char* const kReadDelimited = R"(import csv, json, sys, urllib.parse
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    rows = list(csv.reader(f, delimiter=sys.argv[2]))
print(json.dumps([[[urllib.parse.unquote(w) for w in field.split(' ')] for field in row]
                  for row in rows]))
)";

TEST(Show, TsvAndCsvReadBackExactly) {
  const ScratchDir dir;
  write_file("quadri_concepts.txt",
             "\nU = {1, 2, },  T = {1, 2, 3, 4, 5, },  R = {1, 2, },  D = {7, }"
             "\nU = {3, },  T = {6, 7, 8, 9, 10, 11, },  R = {3, 4, },  D = {7, 8, }");
  write_dictionary("b.tags", DictionaryKind::Tag,
                   {"\"quoted\" 3706", "a,b", "tab\there", "two\nlines", "cr\r\nlf", "100%", "%20",
                    "caf\xc3\xa9", " lead", "it's"});
  write_dictionary("b.resources", DictionaryKind::Resource, {"Blur, the", "\"", "x\ty"});
  const std::string tags_1 =
      R"([["\"quoted\" 3706", "a,b", "tab\there", "two\nlines", "cr\r\nlf"], ["1", "2", "3", "4", "5"], )";
  const std::string tags_2 =
      R"([["100%", "%20", "caf\u00e9", " lead", "it's", "11"], ["6", "7", "8", "9", "10", "11"], )";
  const std::string want =
      R"([[["concept"], ["users"], ["user_codes"], ["tags"], ["tag_codes"], ["resources"], )"
      R"(["resource_codes"], ["d"]], [["1"], ["1", "2"], ["1", "2"], )" +
      tags_1.substr(1) + R"(["Blur, the", "\""], ["1", "2"], ["7"]], [["2"], ["3"], ["3"], )" +
      tags_2.substr(1) + R"(["x\ty", "4"], ["3", "4"], ["7", "8"]]])" + "\n";
  for (const std::string format : {"tsv", "csv"}) {
    ASSERT_EQ(show_into("--codes --format " + format, "out"), 0);
    EXPECT_EQ(python(kReadDelimited, std::string("out ") + (format == "tsv" ? "'\t'" : ",")), want)
        << format;
  }
}

TEST(Show, JsonIsValidUtf8) {
  const ScratchDir dir;
  write_file("quadri_concepts.txt",
             "\nU = {1, },  T = {1, 2, 3, 4, 5, 6, 7, },  R = {1, },  D = {7, }"
             "\nU = {2, },  T = {3, },  R = {1, },  D = {7, }");
  // Latin-1, control bytes, quotes and backslashes, UTF-8 good and broken.
  write_dictionary(
      "b.tags", DictionaryKind::Tag,
      {"caf\xe9", "ctl\x01\n", "q\"b\\s", "ok\xc3\xa9", "bad\xc3", "\xed\xa0\x80", "\xe2\x82\xac"});
  const std::string names =
      R"(["caf\u00e9", "ctl\u0001\n", "q\"b\\s", "ok\u00e9", "bad\u00c3", "\u00ed\u00a0\u0080", )"
      R"("\u20ac"])";
  ASSERT_EQ(show_into("--format json", "out.json"), 0);
  ASSERT_EQ(show_into("--format jsonl", "out.jsonl"), 0);
  // Strict UTF-8 and strict JSON: a raw control character or a bad byte fails.
  EXPECT_EQ(python(R"(import json, sys
array = json.load(open('out.json', encoding='utf-8'))
lines = [json.loads(l) for l in open('out.jsonl', encoding='utf-8')]
assert array == lines, (array, lines)
print(json.dumps(lines[0]['tag_names']), json.dumps(lines[1]['tags']), len(lines))
)",
                   ""),
            names + " [3] 2\n");
}

TEST(Show, LimitReadsNoFurtherThanItNeeds) {
  const ScratchDir dir;
  const std::string line = "U = {1, },  T = {2, },  R = {3, },  D = {4, }";
  // A report file whose tail is not a concept: --limit stops before it.
  write_file("quadri_concepts.txt", "\n" + line + "\n" + line + "\nthe tail is not read");
  EXPECT_EQ(show("--limit 2 --format csv").out,
            "concept,users,tags,resources,d\n1,1,2,3,4\n2,1,2,3,4\n");
  EXPECT_EQ(show("--limit 2 --format csv").status, 0);
  EXPECT_EQ(show("--limit 2 --summary --format jsonl").out.substr(0, 16), "{\"concepts\": 2, ");
  EXPECT_EQ(show("--limit 2 --d 5").status, 1);  // no concept kept: reads on to the tail
  const Outcome all = show("--format csv");
  EXPECT_EQ(all.status, 1);
  EXPECT_EQ(all.err, "quadmine-show: ./quadri_concepts.txt:4: not a concept line\n");
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
  const Outcome missing = show("--base base.txt");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "quadmine-show: no dictionary base.txt.users, base.txt.tags or base.txt.resources\n");
  write_file("data/base.txt.users", "no dictionary\n");
  EXPECT_EQ(show("--base data/base.txt").err,
            "quadmine-show: data/base.txt.users:1: not a dictionary line\n");
}

TEST(Show, StandardOutputThatCannotBeWrittenIsAnError) {
  const ScratchDir dir;
  std::string report;
  for (int i = 0; i < 2000; ++i) report += "\nU = {1, 2, 3, },  T = {2, },  R = {3, },  D = {4, }";
  write_file("quadri_concepts.txt", report);
  // Small outputs fail when the buffer is flushed at the end, large ones on
  // the way (and stop there).
  for (const std::string args : {"--limit 1", "", "--summary --format csv", "--help"}) {
    for (const std::string target : {">/dev/full", ">&-"}) {
      const Outcome r = run_shell("{ '" + kShow + "' " + args + " " + target + "; }");
      EXPECT_EQ(r.status, 1) << args << target;
      const std::string reason =
          target == ">&-" ? "Bad file descriptor" : "No space left on device";
      EXPECT_EQ(r.err, "quadmine-show: cannot write to standard output: " + reason + "\n")
          << args << target;
    }
  }
}

TEST(Show, BadInputIsAnError) {
  const ScratchDir dir;
  EXPECT_EQ(show("").err,
            "quadmine-show: cannot open ./quadri_concepts.txt: No such file or directory\n");
  write_file("quadri_concepts.txt", "\nU = {1, },  T = {2, },  R = {3, },  D = {4, }\nU = {1}");
  write_file("tags", "rock 0 1 0 -\nrock 0\n");
  const struct {
    std::string args, err;
  } cases[] = {{"", "./quadri_concepts.txt:3: not a concept line"},
               {"--sort colour", "bad value 'colour' for --sort"},
               {"--limit -1", "bad value '-1' for --limit"},
               {"--limit", "option --limit needs a value"},
               {"--dir ''", "bad value '' for --dir"},
               {"--tags tags", "tags:2: not a dictionary line"},
               {"--format xml", "bad value 'xml' for --format"}};
  for (const auto& c : cases) {
    const Outcome r = show(c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_NE(r.err.find("quadmine-show: " + c.err + "\n"), std::string::npos) << r.err;
  }
}

}  // namespace

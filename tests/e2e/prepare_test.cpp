// quadmine-prepare run as a program on raw files in the layouts people
// download (built here, line by line): the base, the dictionaries, standard
// output and standard error compared byte for byte.
#include <random>

#include "support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

const std::string kPrepare = QUADMINE_PREPARE_BIN;

// Runs quadmine-prepare with `args` (already quoted for the shell).
Outcome run(const std::string& args) { return run_shell("'" + kPrepare + "' " + args); }

Outcome prepare(const std::string& raw, const std::string& args) {
  write_file("raw", raw);
  return run("raw base " + args);
}

// The files of the current directory, one name a line.
std::string listing() { return run_shell("ls").out; }

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
      // Commas, quotes and text tags, coded in byte order.
      {"7,hip hop,20,1\n7,\"a,\"\"b\"\"%\",20,1\n8,hip hop,10,1\n", "--d 4",
       "8 2 10 1\n7 1 20 1\n7 2 20 1\n", "a,\"b\"%25 0 1 0 -\nhip%20hop 0 2 0 -\n"},
      // Runs of blanks, Unix seconds before and after 1970, by day.
      {"  1 2 3 -1\n1  2 3 86400 \n\n", "--time 4 --period day", "1 2 3 19691231\n1 2 3 19700102\n",
       nullptr},
      // Milliseconds: -1 ms is still 1969.
      {"1 2 3 -1\n1 2 3 0\n", "--time 4 --unit ms --period year", "1 2 3 1969\n1 2 3 1970\n",
       nullptr},
      // ISO 8601 dates and times, offsets taken to UTC; the first line is no header.
      {"1,2,3,2005-12-15T23:32:00-02:00\n1,2,3,2005-12-15\n1,2,3,2005-12-15 14:32:00\n"
       "1,2,3,2005-12-16T01:00:00+02:00\n1,2,3,1134657120\n",
       "--time 4 --period day", "1 2 3 20051215\n1 2 3 20051216\n", nullptr},
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

// Fields as spreadsheets and scripts write them.
TEST(Prepare, ReadsFieldsAsPeopleWriteThem) {
  struct Case {
    const char *raw, *args, *base, *tags;
  } cases[] = {
      // In a tab-separated file quotes are ordinary characters...
      {"u\tt\tr\td\n1\t\"q\"\t5\t1\n2\t\"90s\" rock\t5\t1\n", "--d 4", "2 1 5 1\n1 2 5 1\n",
       "\"90s\"%20rock 0 1 0 -\n\"q\" 0 2 0 -\n"},
      // ... unless asked: then a quoted field may hold a tab.
      {"1\t\"a\tb\"\t5\t1\n", "--d 4 --quote rfc4180", "1 1 5 1\n", "a%09b 0 1 0 -\n"},
      // In CSV they quote, line breaks included (CRLF kept as the file has it)...
      {"1,\"two\r\nlines\",5,1\r\n2,\"x\"\"y\",5,1\r\n", "--d 4", "1 1 5 1\n2 2 5 1\n",
       "two%0D%0Alines 0 1 0 -\nx\"y 0 2 0 -\n"},
      // ... unless asked not to.
      {"1,\"x\",5,1\n", "--d 4 --quote none", "1 1 5 1\n", "\"x\" 0 1 0 -\n"},
      // Any one-byte separator; quotes work with it.
      {"1;\"a;b\";5;1\n2;c;5;1\n", "--d 4 --separator ';'", "1 1 5 1\n2 2 5 1\n",
       "a;b 0 1 0 -\nc 0 2 0 -\n"},
      {"u|t|r|d\n1|x y|5|1\n", "--d d --separator '|'", "1 1 5 1\n", "x%20y 0 1 0 -\n"},
  };
  for (const Case& c : cases) {
    const ScratchDir dir;
    const Outcome r = prepare(c.raw, kIds + c.args);
    EXPECT_EQ(r.status, 0) << c.args << r.err;
    EXPECT_EQ(read_file("base"), c.base) << c.args;
    EXPECT_EQ(read_file("base.tags"), c.tags) << c.args;
  }
}

TEST(Prepare, BadInputNamesFileAndLineAndLeavesTheBase) {
  struct Case {
    const char *raw, *args, *err;
  } cases[] = {
      {"1 2 3 4\n1 2 3\n", "--d 4",
       "raw:2: missing columns: the line has 3 fields, 4 are needed (separator blanks; fields "
       "'1', '2', '3')"},
      {"user;tag;res;d\n1;2;3;4\n", "--d d --user user",
       "raw:1: no column named 'user' in the header (separator blanks; columns "
       "'user;tag;res;d')"},
      {"u,t,r,when\n", "--d when --tag x",
       "raw:1: no column named 'x' in the header (separator comma; columns 'u', 't', 'r', "
       "'when')"},
      {"1 2 3 4\n1 2 3 x4\n", "--d 4", "raw:2: bad number 'x4' in column 4"},
      {"1 2 3 2009 2\n1 2 3 2009 13\n", "--year 4 --month 5", "raw:2: bad date '2009', '13'"},
      {"1 2 3 2000 2 29\n1 2 3 1900 2 29\n", "--year 4 --month 5 --day 6",
       "raw:2: bad date '1900', '2', '29'"},
      {"1 2 3 9999 1\n1 2 3 2009 0\n", "--year 4 --month 5 --period year",
       "raw:2: bad date '2009', '0'"},
      // A two-digit year is no year of the first century.
      {"1 2 3 2009 4\n1 2 3 09 4\n", "--year 4 --month 5",
       "raw:2: bad date '09', '4' (years run from 1000 to 9999)"},
      {"1 2 3 9999\n1 2 3 10000\n", "--year 4",
       "raw:2: bad date '10000' (years run from 1000 to 9999)"},
      {"1 2 3 1240685659\n1 2 3 1240685659000\n", "--time 4 --period day",
       "raw:2: bad date '1240685659000' (milliseconds? try --unit ms)"},
      {"1 2 3 1240685659\n1 2 3 15/12/2005\n", "--time 4 --period day",
       "raw:2: bad time '15/12/2005' in column 4 (Unix seconds, milliseconds with --unit ms, "
       "or an ISO 8601 date or date-time such as 2005-12-15T14:32:00Z)"},
      {"1,,3,4\n", "--d 4", "raw:1: empty tag in column 2"},
      {"1,2,3,4\n1,\"2,3,4\n", "--d 4",
       "raw:2: unclosed quote (its field runs to the end of the file)"},
      {"1,2,3,4\n1,\"2\"x,3,4\n", "--d 4", "raw:2: text after the closing quote of field 2"},
      {"1,a,3,4\n1,caf\xE9,3,4\n", "--d 4",
       "raw:2: bytes that are not UTF-8 (0xE9 at byte 6); give --encoding latin1 for a Latin-1 "
       "file"},
      {"1 2 3 4\n", "--time 4", "--time needs --period year|month|day\nTry"},
  };
  for (const Case& c : cases) {
    const ScratchDir dir;
    write_file("base", "earlier\n");
    const Outcome r = prepare(c.raw, kIds + c.args);
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_EQ(r.err.rfind("quadmine-prepare: " + std::string(c.err), 0), 0U) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(read_file("base"), "earlier\n");
    EXPECT_EQ(listing(), "base\nraw\n");  // no temporary file
  }
  const ScratchDir dir;
  const Outcome help = prepare("", "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: quadmine-prepare RAW BASE", 0), 0U);
}

// With --skip-bad every bad line is skipped and counted, the first five named;
// the identifiers of a bad line go nowhere.
TEST(Prepare, SkipsBadLinesWhenAsked) {
  const ScratchDir dir;
  const std::string raw =
      "1 rock 100 2009\n2 jazz\n3 pop 100 09\n4 soul 100 x\n5 rock 100 2009\n"
      "6 funk 100 10000\n\xE9 blues 100 2009\n7 folk\n8 rock 101 2010\n";
  const Outcome stopped = prepare(raw, kIds + "--year 4");
  EXPECT_EQ(stopped.status, 1);
  EXPECT_EQ(stopped.err.substr(0, 26), "quadmine-prepare: raw:2: m");
  EXPECT_FALSE(std::filesystem::exists("base"));
  const Outcome r = prepare(raw, kIds + "--year 4 --skip-bad");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err,
            "quadmine-prepare: skipped raw:2: missing columns: the line has 2 fields, 4 are "
            "needed (separator blanks; fields '2', 'jazz')\n"
            "quadmine-prepare: skipped raw:3: bad date '09' (years run from 1000 to 9999)\n"
            "quadmine-prepare: skipped raw:4: bad number 'x' in column 4\n"
            "quadmine-prepare: skipped raw:6: bad date '10000' (years run from 1000 to 9999)\n"
            "quadmine-prepare: skipped raw:7: bytes that are not UTF-8 (0xE9 at byte 1); give "
            "--encoding latin1 for a Latin-1 file\n"
            "quadmine-prepare: 6 bad lines skipped, the first 5 named above\n");
  EXPECT_EQ(r.out,
            "quadmine-prepare: 3 events, 3 distinct quadruples written to base, base.tags\n");
  EXPECT_EQ(read_file("base"), "1 1 100 2009\n5 1 100 2009\n8 1 101 2010\n");
  EXPECT_EQ(read_file("base.tags"), "rock 0 1 0 -\n");
  EXPECT_EQ(prepare("1 2 3 4\nx\n", kIds + "--d 4 --skip-bad").err,
            "quadmine-prepare: skipped raw:2: missing columns: the line has 1 fields, 4 are needed "
            "(separator blanks; fields 'x')\nquadmine-prepare: 1 bad line skipped\n");
}

// The Last.fm layout: tags and artists named from the lookup files as they
// come, tab-separated with '"' as an ordinary character; the integer ids kept.
TEST(Prepare, NamesFromLastfmLookupFiles) {
  const ScratchDir dir;
  write_file("user_taggedartists-timestamps.dat",
             "userID\tartistID\ttagID\ttimestamp\n2\t52\t13\t1238536800000\n"
             "2\t52\t15\t1238536800000\n2\t63\t13\t1238536800000\n4\t52\t13\t1241128800000\n"
             "4\t99\t13\t1241128800000\n");
  write_file("tags.dat", "tagID\ttagValue\n13\tchillout\n15\t\"90s\" rock\n16\tunused\n");
  write_file("artists.dat",
             "id\tname\turl\tpictureURL\n52\tMorcheeba\thttp://www.last.fm/music/Morcheeba\t"
             "http://userserve-ak.last.fm/serve/252/1.jpg\n63\tEnigma \"MCMXC\"\t"
             "http://www.last.fm/music/Enigma\thttp://userserve-ak.last.fm/serve/252/2.jpg\n");
  const Outcome r =
      run("user_taggedartists-timestamps.dat base --user userID --tag tagID --resource artistID "
          "--time timestamp --unit ms --period month --tag-names tags.dat --resource-names "
          "artists.dat");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err,
            "quadmine-prepare: warning: 1 of 3 resources have no name in artists.dat; the "
            "dictionary gives them their ids\n");
  EXPECT_EQ(r.out,
            "quadmine-prepare: 5 events, 5 distinct quadruples written to base, base.tags, "
            "base.resources\n");
  EXPECT_EQ(read_file("base"),
            "2 13 52 200903\n2 15 52 200903\n4 13 52 200904\n2 13 63 200903\n4 13 99 200904\n");
  EXPECT_EQ(read_file("base.tags"), "chillout 0 13 0 -\n\"90s\"%20rock 0 15 0 -\n");
  EXPECT_EQ(read_file("base.resources"),
            "- 0 0 52 Morcheeba\n- 0 0 63 Enigma%20\"MCMXC\"\n- 0 0 99 99\n");
}

// The Delicious layout: bookmarks named by another column than the second.
TEST(Prepare, NamesFromAChosenColumn) {
  const ScratchDir dir;
  write_file("user_taggedbookmarks-timestamps.dat",
             "userID\tbookmarkID\ttagID\ttimestamp\n8\t1\t1\t1289255362000\n"
             "8\t2\t1\t1289255159000\n8\t1\t6\t1289238901000\n");
  write_file("bookmarks.dat",
             "id\tmd5\ttitle\turl\tmd5Principal\turlPrincipal\n"
             "1\tab4954b633ddaf5b5bba6e9b71aa6b70\tIFLA - The official website\t"
             "http://www.ifla.org/\t7f431306c428457bc4e12b15634484f\twww.ifla.org\n"
             "2\t2221e9cd106d269dd34682666f576fa3\tgcdp-e.pdf (application/pdf Object)\t"
             "http://archive.org/stream/gcdp-e.pdf\t0d1af7f7d5d1b3f0f0ea9c0a4b4bfe6f\t"
             "archive.org\n");
  const std::string args =
      "user_taggedbookmarks-timestamps.dat base --user userID --tag tagID --resource bookmarkID "
      "--time timestamp --unit ms --period day --resource-names bookmarks.dat ";
  const Outcome r = run(args + "--resource-names-name url");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(read_file("base"), "8 1 1 20101108\n8 6 1 20101108\n8 1 2 20101108\n");
  EXPECT_EQ(read_file("base.resources"),
            "- 0 0 1 http://www.ifla.org/\n- 0 0 2 http://archive.org/stream/gcdp-e.pdf\n");
  EXPECT_FALSE(std::filesystem::exists("base.tags"));
  ASSERT_EQ(run(args + "--resource-names-id 1 --resource-names-name 3").status, 0);
  EXPECT_EQ(read_file("base.resources"),
            "- 0 0 1 IFLA%20-%20The%20official%20website\n"
            "- 0 0 2 gcdp-e.pdf%20(application/pdf%20Object)\n");
  const Outcome missing = run(args + "--resource-names-name link");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "quadmine-prepare: bookmarks.dat:1: no column named 'link' in the header (separator "
            "tab; columns 'id', 'md5', 'title', 'url', 'md5Principal', 'urlPrincipal')\n");
}

// The MovieLens layout: quoted text tags, seconds, movie titles with quoted
// commas. The same events in any order give the same files.
TEST(Prepare, MovieLensLayoutInAnyRowOrder) {
  const ScratchDir dir;
  std::vector<std::string> rows = {"2,60756,funny,1445714994\n",
                                   "2,60756,\"Highly quotable\",1445714996\n",
                                   "2,89774,\"Boxing story\",1445715207\n",
                                   "7,48516,\"way too long, too \"\"epic\"\"\",1169687325\n",
                                   "18,431,Al Pacino,1462138765\n",
                                   "18,431,gangster,1462138790\n",
                                   "18,60756,funny,1462138790\n"};
  write_file("movies.csv",
             "movieId,title,genres\n431,Carlito's Way (1993),Crime|Drama\n"
             "48516,\"Departed, The (2006)\",Crime|Drama|Thriller\n"
             "60756,Step Brothers (2008),Comedy\n89774,Warrior (2011),Drama\n"
             "99999,Unused (2020),Drama\n");
  const std::string args =
      "tags.csv base --user userId --tag tag --resource movieId --time timestamp --period year "
      "--resource-names movies.csv";
  const std::string base =
      "18 1 431 2016\n18 5 431 2016\n7 6 48516 2007\n2 3 60756 2015\n2 4 60756 2015\n"
      "18 4 60756 2016\n2 2 89774 2015\n";
  const std::string tags =
      "Al%20Pacino 0 1 0 -\nBoxing%20story 0 2 0 -\nHighly%20quotable 0 3 0 -\nfunny 0 4 0 -\n"
      "gangster 0 5 0 -\nway%20too%20long,%20too%20\"epic\" 0 6 0 -\n";
  const std::string resources =
      "- 0 0 431 Carlito's%20Way%20(1993)\n- 0 0 48516 Departed,%20The%20(2006)\n"
      "- 0 0 60756 Step%20Brothers%20(2008)\n- 0 0 89774 Warrior%20(2011)\n";
  std::mt19937 random(2011);
  for (int order = 0; order < 4; ++order) {
    std::string raw = "userId,movieId,tag,timestamp\n";
    for (const std::string& row : rows) raw += row;
    write_file("tags.csv", raw);
    const Outcome r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(read_file("base"), base) << raw;
    EXPECT_EQ(read_file("base.tags"), tags) << raw;
    EXPECT_EQ(read_file("base.resources"), resources) << raw;
    std::shuffle(rows.begin(), rows.end(), random);
  }
}

TEST(Prepare, ChecksTheEncodingOrConvertsLatin1) {
  const ScratchDir dir;
  write_file("names", "id,name\n1,Bj\xF6rk\n");
  const std::string raw = "1,caf\xE9,1,1\n";
  const Outcome bad = prepare(raw, kIds + "--d 4");
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err,
            "quadmine-prepare: raw:1: bytes that are not UTF-8 (0xE9 at byte 6); give --encoding "
            "latin1 for a Latin-1 file\n");
  const Outcome r = prepare(raw, kIds + "--d 4 --encoding latin1 --resource-names names");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_file("base.tags"), "caf\xC3\xA9 0 1 0 -\n");
  EXPECT_EQ(read_file("base.resources"), "- 0 0 1 Bj\xC3\xB6rk\n");
  EXPECT_EQ(prepare("1,cafe,1,1\n", kIds + "--d 4 --resource-names names").err,
            "quadmine-prepare: names:2: bytes that are not UTF-8 (0xF6 at byte 5); give "
            "--encoding latin1 for a Latin-1 file\n");
}

// The base and its dictionaries never replace a file the run reads.
TEST(Prepare, RefusesToWriteOverItsInputs) {
  const ScratchDir dir;
  const std::string raw = "1,rock,5,1\n";
  write_file("raw", raw);
  write_file("x.tags", raw);
  write_file("base.tags", "tag,name\nrock,Rock\n");
  std::filesystem::create_symlink("raw", "link");
  const struct {
    std::string args, err;
  } cases[] = {
      {"raw raw", "the base raw would replace the raw file raw"},
      {"raw ./raw", "the base ./raw would replace the raw file raw"},
      {"./raw link", "the base link would replace the raw file ./raw"},
      {"raw base --tag-names base.tags",
       "the dictionary base.tags would replace the names file base.tags"},
      {"raw base.tags --user-names base.tags",
       "the base base.tags would replace the names file base.tags"},
      {"- raw < raw", "the base raw would replace the raw file (standard input)"},
      {"x.tags x", "the dictionary x.tags would replace the raw file x.tags"},
  };
  for (const auto& c : cases) {
    const Outcome r = run(c.args + " " + kIds + "--d 4");
    EXPECT_EQ(r.status, 1) << c.args;
    EXPECT_EQ(r.err, "quadmine-prepare: " + c.err + "\n") << c.args;
    EXPECT_EQ(read_file("raw"), raw);
    EXPECT_EQ(read_file("base.tags"), "tag,name\nrock,Rock\n");
    EXPECT_EQ(read_file("x.tags"), raw);
    EXPECT_EQ(listing(), "base.tags\nlink\nraw\nx.tags\n");
  }
}

TEST(Prepare, ReadsStandardInput) {
  const ScratchDir dir;
  write_file("raw", "u t r d\n1 rock 5 1\n");
  const Outcome r = run("- base --user u --tag t --resource r --d d < raw");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "quadmine-prepare: 1 events, 1 distinct quadruples written to base, base.tags\n");
  EXPECT_EQ(read_file("base") + read_file("base.tags"), "1 1 5 1\nrock 0 1 0 -\n");
  const Outcome bad = run_shell("printf '1 2 3\\n' | '" + kPrepare + "' - base " + kIds + "--d 4");
  EXPECT_EQ(bad.err,
            "quadmine-prepare: (standard input):1: missing columns: the line has 3 fields, 4 are "
            "needed (separator blanks; fields '1', '2', '3')\n");
}

// Standard output, /dev/null and a FIFO are written into; the summary moves to
// standard error when standard output holds the base.
TEST(Prepare, WritesIntoStandardOutputDevicesAndFifos) {
  const ScratchDir dir;
  write_file("raw", "1 2 5 1\n3 4 5 1\n");
  const std::string d = " " + kIds + "--d 4";
  const Outcome out = run("raw /dev/stdout" + d);  // standard output: a file of run_shell's
  EXPECT_EQ(out.status, 0) << out.err;
  EXPECT_EQ(out.out, "1 2 5 1\n3 4 5 1\n");
  EXPECT_EQ(out.err, "quadmine-prepare: 2 events, 2 distinct quadruples written to /dev/stdout\n");
  const Outcome piped = run_shell("'" + kPrepare + "' raw /dev/stdout" + d + " | cat");
  EXPECT_EQ(piped.out, "1 2 5 1\n3 4 5 1\n");
  const Outcome null = run("raw /dev/null" + d);
  EXPECT_EQ(null.status, 0);
  EXPECT_EQ(null.out, "quadmine-prepare: 2 events, 2 distinct quadruples written to /dev/null\n");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  const Outcome fifo = run_shell("mkfifo fifo && (cat fifo > got &) && '" + kPrepare +
                                 "' raw fifo" + d + " && wait");
  EXPECT_EQ(fifo.status, 0) << fifo.err;
  for (int k = 0; k < 100 && read_file("got").empty(); ++k) usleep(10000);
  EXPECT_EQ(read_file("got"), "1 2 5 1\n3 4 5 1\n");
  EXPECT_TRUE(std::filesystem::is_fifo("fifo"));
  write_file("raw", "1 rock 5 1\n");
  const Outcome dictionaries = run("raw /dev/stdout" + d);
  EXPECT_EQ(dictionaries.status, 1);
  EXPECT_EQ(dictionaries.out, "");
  EXPECT_EQ(dictionaries.err,
            "quadmine-prepare: the base /dev/stdout is written where it is (standard output, a "
            "device or a FIFO), so its dictionaries cannot go beside it: give the base a file "
            "name\n");
  EXPECT_EQ(listing(), "fifo\ngot\nraw\n");
}

TEST(Prepare, StandardOutputThatCannotBeWrittenIsAnError) {
  const ScratchDir dir;
  write_file("raw", "1 2 5 1\n");
  const Outcome r = run_shell("('" + kPrepare + "' raw base " + kIds + "--d 4 > /dev/full)");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "quadmine-prepare: cannot write standard output: No space left on device\n");
  EXPECT_EQ(read_file("base"), "1 2 5 1\n");  // the base is whole all the same
  for (const char* args : {"--help", "--version"}) {
    const Outcome help = run_shell("('" + kPrepare + "' " + args + " > /dev/full)");
    EXPECT_EQ(help.status, 1) << args;
    EXPECT_EQ(help.err,
              "quadmine-prepare: cannot write standard output: No space left on device\n");
  }
}

// Progress on standard error when it is a terminal (here the pseudo-terminal
// of script(1)), and never otherwise.
TEST(Prepare, ShowsProgressOnATerminalOnly) {
  const ScratchDir dir;
  write_file("raw", "1 2 5 1\n");
  const std::string command = "'" + kPrepare + "' raw base " + kIds + "--d 4";
  const Outcome plain = run_shell(command);
  EXPECT_EQ(plain.err, "");
  const Outcome terminal = run_shell("script -qec \"" + command + "\" /dev/null");
  EXPECT_EQ(terminal.status, 0);
  EXPECT_NE(terminal.out.find("reading raw..."), std::string::npos) << terminal.out;
  EXPECT_NE(terminal.out.find("writing the base..."), std::string::npos) << terminal.out;
  EXPECT_NE(terminal.out.find("1 events, 1 distinct quadruples"), std::string::npos);
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
  EXPECT_EQ(listing(), "base\nbase.tags\nraw\n");  // no temporary file
  std::filesystem::remove("base");
  ASSERT_EQ(prepare(raw, kIds + "--d 4").status, 0);
  EXPECT_EQ(read_file("base") + read_file("base.tags") + read_file("base.resources"),
            "1 1 1 1\nrock 0 1 0 -\n- 0 0 1 Muse\n");
  EXPECT_EQ(listing(), "base\nbase.resources\nbase.tags\nraw\n");
}

}  // namespace

// quadmine-prepare run as a program on raw files in the layouts people
// download (built here, line by line): the base, the dictionaries, standard
// output and standard error compared byte for byte.
#include <random>

#include "e2e/run_support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

Outcome prepare(const std::string& raw, const std::string& args) {
  write_file("raw", raw);
  return run(kPrepare, "raw base " + args);
}

// The base and its dictionaries as files() shows them.
std::string written() { return files({"base", "base.users", "base.tags", "base.resources"}); }

const std::string kIds = "--user 1 --tag 2 --resource 3 ";
const std::string kNotUtf8 = "; give --encoding latin1 for a Latin-1 file\n";

TEST(Prepare, WritesSortedDistinctQuadruplesAndDictionaries) {
  const struct {
    const char *raw, *args, *written;
  } cases[] = {
      // Tabs and a header; calendar columns coarsened to months; a repeated event.
      {"u\ttag\tres\td\tm\ty\n5\t2\t9\t15\t4\t2009\n5\t2\t9\t1\t4\t2009\n1\t2\t9\t30\t4\t2009\n"
       "3\t1\t9\t1\t12\t2008\n",
       "--year y --month m --day d --period month",
       "base:\n3 1 9 200812\n1 2 9 200904\n5 2 9 200904\n"},
      // Commas, quotes and text tags, coded in byte order.
      {"7,hip hop,20,1\n7,\"a,\"\"b\"\"%\",20,1\n8,hip hop,10,1\n", "--d 4",
       "base:\n8 2 10 1\n7 1 20 1\n7 2 20 1\nbase.tags:\na,\"b\"%25 0 1 0 -\nhip%20hop 0 2 0 -\n"},
      // In CSV a quoted field holds line breaks (CRLF kept as the file has it)...
      {"1,\"two\r\nlines\",5,1\r\n2,\"x\"\"y\",5,1\r\n", "--d 4",
       "base:\n1 1 5 1\n2 2 5 1\nbase.tags:\ntwo%0D%0Alines 0 1 0 -\nx\"y 0 2 0 -\n"},
      // ... and, when asked, in a tab-separated file a tab.
      {"1\t\"a\tb\"\t5\t1\n", "--d 4 --quote rfc4180",
       "base:\n1 1 5 1\nbase.tags:\na%09b 0 1 0 -\n"},
      // ISO 8601 dates and times and Unix seconds; the first line is no header.
      {"1,2,3,2005-12-15T23:32:00-02:00\n1,2,3,2005-12-15\n1,2,3,1134657120\n",
       "--time 4 --period day", "base:\n1 2 3 20051215\n1 2 3 20051216\n"},
  };
  for (const auto& c : cases) {
    const ScratchDir dir;
    EXPECT_EQ(prepare(c.raw, kIds + c.args).status, 0) << c.args;
    EXPECT_EQ(written(), c.written) << c.args;
  }
}

TEST(Prepare, BadInputNamesFileAndLineAndLeavesTheBase) {
  const struct {
    const char *raw, *args, *err;
  } cases[] = {
      {"user;tag;res;d\n1;2;3;4\n", "--d d --user user",
       "raw:1: no column named 'user' in the header (separator blanks; columns "
       "'user;tag;res;d')"},
      {"u,t,r,when\n", "--d when --tag x",
       "raw:1: no column named 'x' in the header (separator comma; columns 'u', 't', 'r', "
       "'when')"},
      {"1 2 3 2000 2 29\n1 2 3 1900 2 29\n", "--year 4 --month 5 --day 6",
       "raw:2: bad date '1900', '2', '29'"},
      {"1 2 3 9999 1\n1 2 3 2009 0\n", "--year 4 --month 5 --period year",
       "raw:2: bad date '2009', '0'"},
      // A two-digit year is no year of the first century.
      {"1 2 3 2009 4\n1 2 3 09 4\n", "--year 4 --month 5",
       "raw:2: bad date '09', '4' (years run from 1000 to 9999)"},
      {"1,,3,4\n", "--d 4", "raw:1: empty tag in column 2"},
      {"1 2 3 4\n", "--time 4",
       "--time needs --period year|month|day\nTry 'quadmine-prepare --help'."},
  };
  for (const auto& c : cases) {
    const ScratchDir dir;
    write_file("base", "earlier\n");
    EXPECT_EQ(prepare(c.raw, kIds + c.args),
              (Outcome{1, "", "quadmine-prepare: " + std::string(c.err) + "\n"}));
    EXPECT_EQ(read_file("base"), "earlier\n");
    EXPECT_EQ(listing(), "base\nraw\n");  // no temporary file
  }
}

// With --skip-bad every bad line is skipped and counted, the first five named;
// the identifiers of a bad line go nowhere.
TEST(Prepare, SkipsBadLinesWhenAsked) {
  const ScratchDir dir;
  const std::string raw =
      "1 rock 100 2009\n2 jazz\n3 pop 100 09\n4 soul 100 x\n5 rock 100 2009\n"
      "6 funk 100 10000\n\xE9 blues 100 2009\n7 folk\n8 rock 101 2010\n";
  const Outcome r = prepare(raw, kIds + "--year 4 --skip-bad");
  EXPECT_EQ(r.err,
            "quadmine-prepare: skipped raw:2: missing columns: the line has 2 fields, 4 are "
            "needed (separator blanks; fields '2', 'jazz')\n"
            "quadmine-prepare: skipped raw:3: bad date '09' (years run from 1000 to 9999)\n"
            "quadmine-prepare: skipped raw:4: bad number 'x' in column 4\n"
            "quadmine-prepare: skipped raw:6: bad date '10000' (years run from 1000 to 9999)\n"
            "quadmine-prepare: skipped raw:7: bytes that are not UTF-8 (0xE9 at byte 1)" +
                kNotUtf8 + "quadmine-prepare: 6 bad lines skipped, the first 5 named above\n");
  EXPECT_EQ(r.out,
            "quadmine-prepare: 3 events, 3 distinct quadruples written to base, base.tags\n");
  EXPECT_EQ(written(),
            "base:\n1 1 100 2009\n5 1 100 2009\n8 1 101 2010\nbase.tags:\nrock 0 1 0 -\n");
  EXPECT_EQ(prepare("1 2 3 4\nx\n", kIds + "--d 4 --skip-bad").err,
            "quadmine-prepare: skipped raw:2: missing columns: the line has 1 fields, 4 are needed "
            "(separator blanks; fields 'x')\nquadmine-prepare: 1 bad line skipped\n");
}

// The Last.fm layout: tags and artists named from the lookup files as they
// come, tab-separated with '"' as an ordinary character; the integer ids kept.
// Then names taken from another column, chosen by name or number (as the
// bookmarks of the Delicious layout need).
TEST(Prepare, NamesFromLookupFiles) {
  const ScratchDir dir;
  write_file("user_taggedartists-timestamps.dat",
             "userID\tartistID\ttagID\ttimestamp\n2\t52\t13\t1238536800000\n"
             "2\t52\t15\t1238536800000\n2\t63\t13\t1238536800000\n4\t52\t13\t1241128800000\n"
             "4\t99\t13\t1241128800000\n");
  write_file("tags.dat", "tagID\ttagValue\n13\tchillout\n14\tno\n15\t\"90s\" rock\n16\tno\n");
  write_file("artists.dat",
             "id\tname\turl\tpictureURL\n52\tMorcheeba\thttp://m\thttp://1.jpg\n"
             "63\tEnigma \"MCMXC\"\thttp://e\thttp://2.jpg\n");
  const std::string args =
      "user_taggedartists-timestamps.dat base --user userID --tag tagID --resource artistID "
      "--time timestamp --unit ms --period month --tag-names tags.dat --resource-names "
      "artists.dat";
  const std::string unnamed =
      "quadmine-prepare: warning: 1 of 3 resources have no name in artists.dat; the dictionary "
      "gives them their ids\n";
  EXPECT_EQ(run(kPrepare, args),
            (Outcome{0,
                     "quadmine-prepare: 5 events, 5 distinct quadruples written to base, "
                     "base.tags, base.resources\n",
                     unnamed}));
  EXPECT_EQ(written(),
            "base:\n2 13 52 200903\n2 15 52 200903\n4 13 52 200904\n2 13 63 200903\n"
            "4 13 99 200904\nbase.tags:\nchillout 0 13 0 -\n\"90s\"%20rock 0 15 0 -\n"
            "base.resources:\n- 0 0 52 Morcheeba\n- 0 0 63 Enigma%20\"MCMXC\"\n- 0 0 99 99\n");
  EXPECT_EQ(run(kPrepare, args + " --resource-names-name url").err, unnamed);
  EXPECT_EQ(read_file("base.resources"), "- 0 0 52 http://m\n- 0 0 63 http://e\n- 0 0 99 99\n");
  EXPECT_EQ(run(kPrepare, args + " --resource-names-id 1 --resource-names-name 4").err, unnamed);
  EXPECT_EQ(read_file("base.resources"),
            "- 0 0 52 http://1.jpg\n- 0 0 63 http://2.jpg\n- 0 0 99 99\n");
  EXPECT_EQ(run(kPrepare, args + " --resource-names-name link"),
            (Outcome{1, "",
                     "quadmine-prepare: artists.dat:1: no column named 'link' in the header "
                     "(separator tab; columns 'id', 'name', 'url', 'pictureURL')\n"}));
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
  const std::string expected =
      "base:\n18 1 431 2016\n18 5 431 2016\n7 6 48516 2007\n2 3 60756 2015\n2 4 60756 2015\n"
      "18 4 60756 2016\n2 2 89774 2015\nbase.tags:\nAl%20Pacino 0 1 0 -\nBoxing%20story 0 2 0 -\n"
      "Highly%20quotable 0 3 0 -\nfunny 0 4 0 -\ngangster 0 5 0 -\n"
      "way%20too%20long,%20too%20\"epic\" 0 6 0 -\nbase.resources:\n"
      "- 0 0 431 Carlito's%20Way%20(1993)\n- 0 0 48516 Departed,%20The%20(2006)\n"
      "- 0 0 60756 Step%20Brothers%20(2008)\n- 0 0 89774 Warrior%20(2011)\n";
  std::mt19937 random(2011);
  for (int order = 0; order < 4; ++order) {
    std::string raw = "userId,movieId,tag,timestamp\n";
    for (const std::string& row : rows) raw += row;
    write_file("tags.csv", raw);
    EXPECT_EQ(run(kPrepare,
                  "tags.csv base --user userId --tag tag --resource movieId --time "
                  "timestamp --period year --resource-names movies.csv")
                  .err,
              "");
    EXPECT_EQ(written(), expected) << raw;
    std::shuffle(rows.begin(), rows.end(), random);
  }
}

// (A raw file that is not UTF-8 is a bad line: see SkipsBadLinesWhenAsked.)
TEST(Prepare, ChecksTheEncodingOrConvertsLatin1) {
  const ScratchDir dir;
  write_file("names", "id,name\n1,Bj\xF6rk\n");
  const std::string raw = "1,caf\xE9,1,1\n";
  EXPECT_EQ(prepare(raw, kIds + "--d 4 --encoding latin1 --resource-names names").status, 0);
  EXPECT_EQ(
      written(),
      "base:\n1 1 1 1\nbase.tags:\ncaf\xC3\xA9 0 1 0 -\nbase.resources:\n- 0 0 1 Bj\xC3\xB6rk\n");
  EXPECT_EQ(prepare("1,cafe,1,1\n", kIds + "--d 4 --resource-names names").err,
            "quadmine-prepare: names:2: bytes that are not UTF-8 (0xF6 at byte 5)" + kNotUtf8);
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
      {"./raw link", "the base link would replace the raw file ./raw"},
      {"raw base --tag-names base.tags",
       "the dictionary base.tags would replace the names file base.tags"},
      {"raw base.tags --user-names base.tags",
       "the base base.tags would replace the names file base.tags"},
      {"- raw < raw", "the base raw would replace the raw file (standard input)"},
      {"x.tags x", "the dictionary x.tags would replace the raw file x.tags"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(kPrepare, c.args + " " + kIds + "--d 4"),
              (Outcome{1, "", "quadmine-prepare: " + c.err + "\n"}));
    EXPECT_EQ(files({"raw", "x.tags", "base.tags"}),
              "raw:\n" + raw + "x.tags:\n" + raw + "base.tags:\ntag,name\nrock,Rock\n");
    EXPECT_EQ(listing(), "base.tags\nlink\nraw\nx.tags\n");
  }
}

// Standard output, /dev/null and a FIFO are written into; the summary moves to
// standard error when standard output holds the base. Standard input is read.
TEST(Prepare, WritesIntoStandardOutputDevicesAndFifos) {
  const ScratchDir dir;
  write_file("raw", "1 2 5 1\n3 4 5 1\n");
  const std::string d = " " + kIds + "--d 4";
  const std::string base = "1 2 5 1\n3 4 5 1\n", summary = "2 events, 2 distinct quadruples";
  // Links of the test's own to standard output and /dev/null, so that a fault
  // that renamed over them would replace the links, not the system's paths.
  std::filesystem::create_symlink("/proc/self/fd/1", "to-stdout");
  std::filesystem::create_symlink("/dev/null", "to-null");
  // Standard output: a file of run_shell's, then a pipe (from standard input).
  EXPECT_EQ(run(kPrepare, "raw to-stdout" + d),
            (Outcome{0, base, "quadmine-prepare: " + summary + " written to to-stdout\n"}));
  EXPECT_EQ(run_shell("('" + kPrepare + "' - to-stdout" + d + " < raw | cat)").out, base);
  EXPECT_EQ(run_shell("printf '1 2 3\\n' | '" + kPrepare + "' - base" + d).err,
            "quadmine-prepare: (standard input):1: missing columns: the line has 3 fields, 4 are "
            "needed (separator blanks; fields '1', '2', '3')\n");
  EXPECT_EQ(run(kPrepare, "raw to-null" + d),
            (Outcome{0, "quadmine-prepare: " + summary + " written to to-null\n", ""}));
  EXPECT_TRUE(std::filesystem::is_character_file("to-null"));
  EXPECT_EQ(run_shell("(mkfifo fifo && (cat fifo > got &) && '" + kPrepare + "' raw fifo" + d +
                      " && wait)")
                .status,
            0);
  for (int k = 0; k < 100 && read_file("got").empty(); ++k) usleep(10000);
  EXPECT_EQ(read_file("got"), base);
  EXPECT_TRUE(std::filesystem::is_fifo("fifo"));
  write_file("raw", "1 rock 5 1\n");
  EXPECT_EQ(run(kPrepare, "raw to-stdout" + d),
            (Outcome{1, "",
                     "quadmine-prepare: the base to-stdout is written where it is (standard "
                     "output, a device or a FIFO), so its dictionaries cannot go beside it: give "
                     "the base a file name\n"}));
  EXPECT_EQ(listing(), "fifo\ngot\nraw\nto-null\nto-stdout\n");
}

// Progress on standard error when it is a terminal (here the pseudo-terminal
// of script(1)), and never otherwise.
TEST(Prepare, ShowsProgressOnATerminalOnly) {
  const ScratchDir dir;
  write_file("raw", "1 2 5 1\n");
  const std::string command = "'" + kPrepare + "' raw base " + kIds + "--d 4";
  EXPECT_EQ(run_shell(command).err, "");
  const Outcome terminal = run_shell("script -qec \"" + command + "\" /dev/null");
  EXPECT_EQ(terminal.status, 0);
  for (const char* said : {"reading raw...", "writing the base...", "1 events, 1 distinct"}) {
    EXPECT_NE(terminal.out.find(said), std::string::npos) << terminal.out;
  }
}

// The base and its dictionaries are replaced together or not at all.
TEST(Prepare, WritesEveryFileOrNone) {
  const ScratchDir dir;
  const std::string raw = "1,rock,Muse,1\n";
  write_file("base.tags", "earlier\n");
  std::filesystem::create_directory("base");
  EXPECT_EQ(prepare(raw, kIds + "--d 4"),
            (Outcome{1, "", "quadmine-prepare: cannot create base: Is a directory\n"}));
  EXPECT_EQ(read_file("base.tags"), "earlier\n");
  EXPECT_EQ(listing(), "base\nbase.tags\nraw\n");  // no temporary file
  std::filesystem::remove("base");
  ASSERT_EQ(prepare(raw, kIds + "--d 4").status, 0);
  EXPECT_EQ(written(), "base:\n1 1 1 1\nbase.tags:\nrock 0 1 0 -\nbase.resources:\n- 0 0 1 Muse\n");
  EXPECT_EQ(listing(), "base\nbase.resources\nbase.tags\nraw\n");
}

}  // namespace

// The data tools: one table per lookup and per writer.
#include "support.h"
#include "tools/base_join.h"
#include "tools/code_store.h"
#include "tools/dictionaries.h"
#include "tools/store_dumps.h"
#include "tools/tokenize.h"

namespace {

// Prepares a file of the scratch directory: "<missing>", "<dir>", "<full>"
// (writes fail: the file is /dev/full) or the content.
void prepare(const std::string& name, const std::string& content) {
  std::filesystem::remove_all(name);
  if (content == "<dir>") std::filesystem::create_directory(name);
  if (content == "<full>") std::filesystem::create_symlink("/dev/full", name);
  if (content[0] != '<') write_file(name, content);
}

TEST(Tools, Tokenize) {
  using Tokens = std::vector<std::string>;
  const struct {
    std::string text, delimiters;
    Tokens tokens;
  } rows[] = {
    {",,a, b;;cd ,", ", ;", {"kept", "a", "b", "cd"}}, {"single", " ", {"kept", "single"}},
    {"x", "x", {"kept"}}, {"", " ", {"kept"}}, {"", "", {"kept"}}, {" a b ", "", {"kept", " a b "}},
  };
  for (const auto& row : rows) {
    Tokens tokens{"kept"};
    Tokenize(row.text, tokens, row.delimiters);
    EXPECT_EQ(tokens, row.tokens) << '"' << row.text << "\" by \"" << row.delimiters << '"';
  }
}

TEST(Tools, CodeStore) {
  const std::vector<CodeUrls> saved = std::exchange(ens_code_urls, {});
  EXPECT_FALSE(non_appartient_codeurl(0));
  EXPECT_EQ(get_url_by_code(0), "");
  ens_code_urls = {{7, "http://first"}, {3, "http://three"}, {7, "http://second"}, CodeUrls()};
  const std::vector<std::pair<int, std::string>> rows = {
      {7, "http://first"}, {3, "http://three"}, {0, ""}, {4, "<none>"}};
  for (const auto& [code, url] : rows) {
    EXPECT_EQ(non_appartient_codeurl(code), url != "<none>") << code;
    EXPECT_EQ(get_url_by_code(code), url == "<none>" ? "" : url) << code;
  }
  ens_code_urls = saved;
}

TEST(Tools, DictionaryLookups) {
  const ScratchDir dir;
  const auto run = [](char kind, const std::string& arg) {
    if (kind == 't') return avoir_letag_a_partir_du_code(std::stoi(arg));
    if (kind == 'c') return std::to_string(avoir_lecode_a_partir_du_tag(arg.c_str()));
    std::string url;
    return printed_by([&] { url = avoir_lurl_a_partir_du_code(std::stoi(arg)); }) + "|" + url;
  };
  // Without dictionaries nothing matches.
  for (const auto& [kind, arg, want] : std::vector<std::tuple<char, std::string, std::string>>{
           {'t', "12", ""}, {'c', "music", "-1"}, {'u', "7", "no   7|tamul"}}) {
    EXPECT_EQ(run(kind, arg), want);
  }
  EXPECT_EQ(avoir_lecode_a_partir_du_tag(nullptr), -1);

  const std::string tag(150, 'g'), url = "http://x.org/" + std::string(300, 'a');
  write_file("dictionary.txt",
             "music 5 12 40 page40\nrock 6 13 41 page41\nmusic 9 14 42 page42\n"
             "jazz 7 12 43 page43\nfour 1 15 44\nbad 1 x 15 u\nbig 1 16 99999999999 u\n"
             "ws\t1\v17\f46\rurl46\ncolon 1 18 47:x y\nslash 1 19 48/x y\n" +
             tag + " 1 20 49 " + url + "\npad 1 2 3 p3" + std::string(120, ' ') +
             "fake 0 77 77 bad\n" + std::string("nul 1 21 50 u\0v\n", 16) + "last 1 22 51 u51");
  fpp = std::fopen("dictionary.txt", "r");
  fpp2 = std::fopen("dictionary.txt", "r");
  const struct {
    char kind;
    std::string arg, want;
  } rows[] = {
    {'t', "13", "rock"}, {'t', "12", "music"}, {'t', "14", "music"}, {'t', "40", ""},
    {'t', "7", ""}, {'t', "15", ""}, {'t', "16", ""}, {'t', "17", "ws"}, {'t', "20", tag},
    {'t', "21", ""}, {'t', "77", ""}, {'t', "22", "last"},
    {'c', "jazz", "12"}, {'c', "rock", "13"}, {'c', "page40", "-1"}, {'c', "mus", "-1"},
    {'c', "", "-1"}, {'c', "ws", "17"}, {'c', tag, "20"}, {'c', "fake", "-1"},
    // URL lookups go on after the previous match, and from the top once at the end.
    {'u', "41", "|page41"}, {'u', "40", "no   40|tamul"}, {'u', "40", "|page40"},
    {'u', "46", "|url46"}, {'u', "47", "|:x"}, {'u', "48", "|/x"}, {'u', "49", "|" + url},
    {'u', "50", "no   50|tamul"}, {'u', "51", "|u51"}, {'u', "40", "|page40"},
  };
  for (const auto& row : rows) EXPECT_EQ(run(row.kind, row.arg), row.want) << row.kind << row.arg;
  std::fclose(fpp);
  std::fclose(fpp2);
  fpp = fpp2 = nullptr;
}

TEST(Tools, Join) {
  const ScratchDir dir;
  const std::string blanks(150, ' ');
  const struct {
    std::string candidates, requests, output, want, printed;
  } rows[] = {
    {"1 2 3 10\n4 5 6 20\n1 2 3 30\n-7 8 9 40\r\n1 2 4 50\n",
     "4 5 6 99\n1 2 3 0\n5 5 5 5\n-7 8 9 1\n1 2 3 0\n", "previous",
     "\n4 5 6 20\n1 2 3 10\n-7 8 9 40\n1 2 3 10", ""},
    {"1 2 3 10\n", "", "previous", "", ""},
    // Lines without four integers are skipped; long lines are read whole.
    {"9 9 9 1\n1 2 3\ngarbage\n\n1 2 3 50\n4 4 4 99999999999\n4 4 4 60\n5 5 5" + blanks + "77\n",
     "1 2 3 0\ngarbage\n1 2 x 4\n\n1 2\n4 4 4 0\n5 5 5 0" + blanks + "9 9 9 9\n", "previous",
     "\n1 2 3 50\n4 4 4 60\n5 5 5 77", ""},
    {"<missing>", "1 2 3 0\n", "previous", "previous",
     "\nERROR : Impossible d'ouvrir le fichier basemiaou.txt...\n"},
    {"1 2 3 10\n", "<missing>", "previous", "previous",
     "\nERROR : Impossible d'ouvrir le fichier metier19.txt...\n"},
    {"1 2 3 10\n", "<dir>", "previous", "previous",
     "\nERROR : Impossible d'ouvrir le fichier metier19.txt...\n"},
    {"1 2 3 10\n", "1 2 3 0\n", "<dir>", "",
     "\nERROR : Impossible de creer le fichier xxxbasemiaousortie.txt...\n"},
    {"1 2 3 10\n", "1 2 3 0\n", "<full>", "",
     "\nERROR : Impossible d'ecrire le fichier xxxbasemiaousortie.txt...\n"},
  };
  for (const auto& row : rows) {
    prepare("basemiaou.txt", row.candidates);
    prepare("metier19.txt", row.requests);
    prepare("xxxbasemiaousortie.txt", row.output);
    EXPECT_EQ(printed_by(miaou), row.printed) << row.requests;
    if (row.output[0] != '<') {
      EXPECT_EQ(read_file("xxxbasemiaousortie.txt"), row.want) << row.requests;
    }
  }
}

class Dumps : public StoreTest {};

TEST_F(Dumps, WorkingStoreDump) {
  std::FILE* out = std::tmpfile();
  ecrire_1erfichier(out);
  ens_tc = store("1 2|10 11|5|7 -8, 3|||, |12|6 6|");
  ecrire_1erfichier(out);
  ecrire_1erfichier(nullptr);
  EXPECT_EQ(read_stream(out),
            " U = 1-2- T = 10, 11,  R =  5  D =  7  -8 \n U = 3- T =  R =  D = \n"
            " U =  T = 12,  R =  6  6  D = \n");
  std::fclose(out);
}

TEST_F(Dumps, SplitByDimension) {
  const ScratchDir dir;
  const Store qualifying = store("1 2|10|5 6|7, 3|11|8 9|7, 4 5||8 9|7, 4 5|12|8|7, 6 7 6|13 14|9 -1|");
  const struct {
    Store reported;
    std::string tags_file, users, tags, urls, printed;
  } rows[] = {
    {{}, "previous", "", "", "", ""},
    // minsupp_u 2, minsupp_t 1, minsupp_r 2; D is neither tested nor written.
    {qualifying, "previous", "\n1, 2, \n6, 7, 6, ", "\n10, \n13, 14, ", "\n5, 6, \n9, -1, ", ""},
    {qualifying, "<dir>", "", "<dir>", "previous",
     "\nERROR : Impossible de creer le fichier tagsSEPARES.txt...\n"},
    {qualifying, "<full>", "\n1, 2, \n6, 7, 6, ", "<full>", "\n5, 6, \n9, -1, ",
     "\nERROR : Impossible d'ecrire le fichier tagsSEPARES.txt...\n"},
  };
  minsupp_u = 2, minsupp_t = 1, minsupp_r = 2, minsupp_d = 5;
  for (const auto& row : rows) {
    ens_tc2 = row.reported;
    prepare("usersSEPARES.txt", "previous");
    prepare("tagsSEPARES.txt", row.tags_file);
    prepare("urlsSEPARES.txt", "previous");
    EXPECT_EQ(printed_by(ecrire_dans_fichiers_separes), row.printed);
    EXPECT_EQ(read_file("usersSEPARES.txt"), row.users);
    if (row.tags[0] != '<') {
      EXPECT_EQ(read_file("tagsSEPARES.txt"), row.tags);
    }
    EXPECT_EQ(read_file("urlsSEPARES.txt"), row.urls);
  }
}

}  // namespace

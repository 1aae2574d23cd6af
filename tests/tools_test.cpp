// The data tools: one table per lookup and per writer.
#include "support.h"
#include "tools/base_join.h"
#include "tools/code_store.h"
#include "tools/dictionaries.h"
#include "tools/store_dumps.h"
#include "tools/tokenize.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

// A file of the scratch directory as "<missing>", "<dir>", "<full>" (writes
// fail: it is /dev/full) or with the content given.
void prepare(const std::string& name, const std::string& content) {
  std::filesystem::remove_all(name);
  if (content == "<dir>") std::filesystem::create_directory(name);
  if (content == "<full>") std::filesystem::create_symlink("/dev/full", name);
  if (content[0] != '<') write_file(name, content);
}

const std::string kCannot = "\nERROR : Impossible d";

TEST(Tools, TokenizeAndCodeStore) {
  // Text, delimiters, then the tokens appended after "kept".
  for (const std::vector<std::string>& row : std::vector<std::vector<std::string>>{
           {",,a, b;;cd ,", ", ;", "a", "b", "cd"}, {"x", "x"}, {"", ""}, {" a b ", "", " a b "}}) {
    std::vector<std::string> tokens{"kept"}, want{"kept"};
    Tokenize(row[0], tokens, row[1]);
    want.insert(want.end(), row.begin() + 2, row.end());
    EXPECT_EQ(tokens, want);
  }
  const std::vector<CodeUrls> saved = std::exchange(ens_code_urls, {});
  EXPECT_FALSE(non_appartient_codeurl(0));
  ens_code_urls = {{7, "http://first"}, {3, "http://three"}, {7, "http://second"}, CodeUrls()};
  for (const auto& [code, url] : std::vector<std::pair<int, std::string>>{
           {7, "http://first"}, {3, "http://three"}, {0, ""}, {4, "<none>"}}) {
    EXPECT_EQ(non_appartient_codeurl(code), url != "<none>") << code;
    EXPECT_EQ(get_url_by_code(code), url == "<none>" ? "" : url) << code;
  }
  ens_code_urls = saved;
}

TEST(Tools, DictionaryLookups) {
  const ScratchDir dir;
  const std::string tag(150, 'g');  // lines of any length are read whole
  write_file(
      "dictionary.txt",
      "music 5 12 40 page40\nrock 6 13 41 page41\njazz 7 12 43 page43\nfour 1 15 44\n"
      "sign +1 -23 +52 u52\nbad 1 x 15 u\n"
      "big 1 16 99999999999 u\nws\t1\v17\f46\rurl46\ncolon 1 18 47:x y\nslash 1 19 48/x y\n" +
          tag + " 1 20 49 u49\npad 1 2 3 p3" + std::string(120, ' ') + "fake 0 77 77 bad\n" +
          std::string("nul 1 21 50 u\0v\n", 16) + "last 1 22 51 u51");
  // Without dictionaries nothing matches.
  std::string url;
  EXPECT_EQ(avoir_letag_a_partir_du_code(12) +
                printed_by([&] { url = avoir_lurl_a_partir_du_code(7); }) + url,
            "no   7tamul");
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("music") + avoir_lecode_a_partir_du_tag(nullptr), -2);
  fpp = std::fopen("dictionary.txt", "r"), fpp2 = std::fopen("dictionary.txt", "r");
  // 't': tag text of a tag code, 'c': tag code of a tag text, 'u': URL of a
  // URL code; each after what the lookup printed.
  // clang-format off
  const std::vector<std::tuple<char, std::string, std::string>> rows = {
    {'t', "13", "|rock"}, {'t', "12", "|music"}, {'t', "40", "|"}, {'t', "5", "|"},
    {'t', "15", "|"}, {'t', "16", "|"}, {'t', "17", "|ws"}, {'t', "20", "|" + tag},
    {'t', "21", "|"}, {'t', "77", "|"},
    {'t', "22", "|last"}, {'t', "-23", "|sign"}, {'t', "0", "|"}, {'c', "jazz", "|12"},
    {'c', "page40", "|-1"}, {'c', "ws", "|17"},
    // URL lookups go on after the previous match, and from the top once at the end.
    {'u', "3", "|p3"}, {'u', "0", "no   0|tamul"}, {'u', "41", "|page41"},
    {'u', "40", "no   40|tamul"}, {'u', "40", "|page40"}, {'u', "47", "|:x"}, {'u', "48", "|/x"},
    {'u', "50", "no   50|tamul"}, {'u', "51", "|u51"}, {'u', "40", "|page40"},
  };
  // clang-format on
  for (const auto& [kind, key, want] : rows) {
    std::string found;
    const std::string printed = printed_by([&] {
      found = kind == 't'   ? avoir_letag_a_partir_du_code(std::stoi(key))
              : kind == 'c' ? std::to_string(avoir_lecode_a_partir_du_tag(key.c_str()))
                            : avoir_lurl_a_partir_du_code(std::stoi(key));
    });
    EXPECT_EQ(printed + "|" + found, want) << kind << key;
  }
  std::fclose(fpp), std::fclose(fpp2);
  fpp = fpp2 = nullptr;
}

TEST(Tools, Join) {
  const ScratchDir dir;
  // Candidates, requests, output (or how the output file is prepared), what is printed.
  // clang-format off
  const std::vector<std::tuple<std::string, std::string, std::string, std::string>> rows = {
    {"1 2 3 10\n0 5 6 11\n4 0 6 12\n4 5 0 13\n9 5 6 14\n4 9 6 15\n4 5 9 16\n4 5 6 20\n1 2 3 30\n"
     "-7 8 9 40\r\n1 2 4 50\n",
     "4 5 6 99\n1 2 3 0\n5 5 5 5\n-7 8 9 1\n1 2 3 0\n", "\n4 5 6 20\n1 2 3 10\n-7 8 9 40\n1 2 3 10",
     ""},
    {"1 2 3 10\n", "", "", ""},
    // Lines without four integers are skipped; long lines are read whole.
    {"1 2 3\ngarbage\n1 2 3 50\n5 5 5" + std::string(150, ' ') + "77\n",
     "1 2 3 0\ngarbage\n\n5 5 5 0" + std::string(150, ' ') + "9 9 9 9\n",
     "\n1 2 3 50\n5 5 5 77", ""},
    {"<missing>", "1 2 3 0\n", "previous", kCannot + "'ouvrir le fichier basemiaou.txt...\n"},
    {"1 2 3 10\n", "<missing>", "previous", kCannot + "'ouvrir le fichier metier19.txt...\n"},
    {"1 2 3 10\n", "<dir>", "previous", kCannot + "'ouvrir le fichier metier19.txt...\n"},
    {"1 2 3 10\n", "1 2 3 0\n", "<dir>",
     kCannot + "e creer le fichier xxxbasemiaousortie.txt...\n"},
    {"1 2 3 10\n", "1 2 3 0\n", "<full>",
     kCannot + "'ecrire le fichier xxxbasemiaousortie.txt...\n"},
  };
  // clang-format on
  for (const auto& [candidates, requests, output, printed] : rows) {
    prepare("basemiaou.txt", candidates);
    prepare("metier19.txt", requests);
    prepare("xxxbasemiaousortie.txt", output[0] == '<' ? output : "previous");
    EXPECT_EQ(printed_by(miaou), printed) << requests;
    EXPECT_EQ(output[0] == '<' ? output : read_file("xxxbasemiaousortie.txt"), output) << requests;
  }
}

TEST(Tools, Dumps) {
  const ScratchDir dir;
  std::FILE* out = std::tmpfile();
  reset_run_state();
  ecrire_1erfichier(out);
  ens_tc = store("1 2|10 11|5|7 -8, 3|||, |12|6 6|");
  ecrire_1erfichier(out);
  ecrire_1erfichier(nullptr);
  EXPECT_EQ(contents(out),
            " U = 1-2- T = 10, 11,  R =  5  D =  7  -8 \n U = 3- T =  R =  D = \n"
            " U =  T = 12,  R =  6  6  D = \n");
  std::fclose(out);

  // minsupp_u 2, minsupp_t 1, minsupp_r 2; D is neither tested nor written.
  minsupp_u = 2, minsupp_t = 1, minsupp_r = 2, minsupp_d = 5;
  const std::string split = "1 2|10|5 6|7, 3|11|8 9|7, 4 5||8 9|7, 4 5|12|8|7, 6 7 6|13 14|9 -1|";
  // The reported concepts, the tags file before, the files after, what is printed.
  // clang-format off
  const std::vector<std::tuple<std::string, std::string, std::string, std::string>> rows = {
    {"", "previous", "//", ""},
    {split, "previous", "\n1, 2, \n6, 7, 6, /\n10, \n13, 14, /\n5, 6, \n9, -1, ", ""},
    {split, "<dir>", "//previous", kCannot + "e creer le fichier tagsSEPARES.txt...\n"},
    {split, "<full>", "\n1, 2, \n6, 7, 6, //\n5, 6, \n9, -1, ",
     kCannot + "'ecrire le fichier tagsSEPARES.txt...\n"},
  };
  // clang-format on
  for (const auto& [reported, tags_file, files, printed] : rows) {
    ens_tc2 = store(reported);
    prepare("usersSEPARES.txt", "previous");
    prepare("tagsSEPARES.txt", tags_file);
    prepare("urlsSEPARES.txt", "previous");
    EXPECT_EQ(printed_by(ecrire_dans_fichiers_separes), printed);
    const std::string tags = tags_file[0] == '<' ? "" : read_file("tagsSEPARES.txt");
    EXPECT_EQ(read_file("usersSEPARES.txt") + "/" + tags + "/" + read_file("urlsSEPARES.txt"),
              files);
  }
  reset_run_state();
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "tools/dictionaries.h"
#include "tools_test_support.h"

namespace {

using namespace tools_test;

// Dictionary files in a scratch directory, opened as fpp (URL dictionary) and
// fpp2 (tag dictionary); the previous streams are put back afterwards.
class DictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override { fpp = fpp2 = nullptr; }
  void TearDown() override {
    for (std::FILE* f : {fpp, fpp2})
      if (f != nullptr) std::fclose(f);
    fpp = saved_fpp_;
    fpp2 = saved_fpp2_;
  }
  static void open(std::FILE*& f, const std::string& name, const std::string& content) {
    if (f != nullptr) std::fclose(f);
    f = nullptr;
    write_file(name, content);
    f = std::fopen(name.c_str(), "r");
    if (f == nullptr) throw std::runtime_error("cannot open " + name);
  }
  static void use_tags(const std::string& content) { open(fpp2, "tags.txt", content); }
  static void use_urls(const std::string& content) { open(fpp, "urls.txt", content); }

  // The URL lookup as "<what it printed>|<url>".
  static std::string url(int code) {
    std::string found;
    const std::string printed = capture_stdout([&] { found = avoir_lurl_a_partir_du_code(code); });
    return printed + "|" + found;
  }

  // The rest of the (short) line `stream` stands in, or "<end>".
  static std::string rest_of_line(std::FILE* stream) {
    char line[256];
    return std::fgets(line, sizeof line, stream) != nullptr ? line : "<end>";
  }

 private:
  ScratchDir dir_;
  std::FILE* saved_fpp_ = fpp;
  std::FILE* saved_fpp2_ = fpp2;
};

TEST_F(DictionaryTest, TagLookupsTakeTheFirstLineWithTheTagCodeOrTheTag) {
  use_tags(
      "music 5 12 40 page40\nrock 6 13 41 page41\n"
      "music 9 14 42 page42\njazz 7 12 43 page43\n");
  EXPECT_EQ(avoir_letag_a_partir_du_code(13), "rock");
  EXPECT_EQ(rest_of_line(fpp2), "music 9 14 42 page42\n") << "left just after the match";
  EXPECT_EQ(avoir_letag_a_partir_du_code(12), "music") << "starts from the top again";
  EXPECT_EQ(avoir_letag_a_partir_du_code(14), "music");
  EXPECT_EQ(avoir_letag_a_partir_du_code(40), "") << "field 4 is not the tag code";
  EXPECT_EQ(avoir_letag_a_partir_du_code(7), "") << "field 2 is not the tag code";
  EXPECT_EQ(avoir_letag_a_partir_du_code(99), "");
  EXPECT_EQ(rest_of_line(fpp2), "<end>");

  EXPECT_EQ(avoir_lecode_a_partir_du_tag("music"), 12);
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("jazz"), 12);
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("rock"), 13);
  EXPECT_EQ(rest_of_line(fpp2), "music 9 14 42 page42\n") << "left just after the match";
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("rock"), 13) << "starts from the top again";
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("page40"), -1) << "field 5 is not the tag";
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("mus"), -1) << "whole words only";
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("music "), -1);
  EXPECT_EQ(avoir_lecode_a_partir_du_tag(""), -1);
  EXPECT_EQ(avoir_lecode_a_partir_du_tag(nullptr), -1);
}

TEST_F(DictionaryTest, UrlLookupGoesOnAfterThePreviousMatch) {
  use_urls("a 1 1 40 u40\nb 1 1 41 u41\n");
  EXPECT_EQ(url(41), "|u41");
  EXPECT_EQ(url(40), "no   40|tamul") << "behind the position: reported missing once";
  EXPECT_EQ(url(40), "|u40") << "then found from the top";
  EXPECT_EQ(url(41), "|u41") << "codes in file order are read in one pass";
  EXPECT_EQ(url(-3), "no   -3|tamul");

  // Matching a last line without newline sets the end indicator: the next
  // lookup starts from the top.
  use_urls("a 1 1 40 u40\nb 1 1 41 u41");
  EXPECT_EQ(url(41), "|u41");
  EXPECT_EQ(url(40), "|u40");
}

TEST_F(DictionaryTest, LongLinesAreReadWhole) {
  const std::string long_tag(150, 'g');
  const std::string long_url = "http://example.org/" + std::string(300, 'a') + "/end";
  // A long line whose tail, cut off at 99 bytes, would read as a line of its own.
  const std::string padded = "pad 1 2 3 p3" + std::string(120, ' ') + "fake 0 77 77 bad\n";
  use_urls("x 1 2 50 " + long_url + "\n" + padded + "y 1 2 51 u51\n");
  use_tags(long_tag + " 1 60 61 u61\n" + padded + "short 1 62 63 u63\n");

  EXPECT_EQ(url(50), "|" + long_url);
  EXPECT_EQ(url(51), "|u51");
  EXPECT_EQ(url(77), "no   77|tamul");
  EXPECT_EQ(avoir_letag_a_partir_du_code(60), long_tag);
  EXPECT_EQ(avoir_lecode_a_partir_du_tag(long_tag.c_str()), 60);
  EXPECT_EQ(avoir_letag_a_partir_du_code(62), "short");
  EXPECT_EQ(avoir_letag_a_partir_du_code(77), "");
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("fake"), -1);
}

TEST_F(DictionaryTest, LinesWithoutFiveFieldsNeverMatch) {
  // Four fields, a bad number, an out-of-range number, a bare word, an empty line.
  use_tags("four 1 12 40\nbad 1 x 12 u\nbig 1 12 99999999999 u\nword\n\nlast 1 12 40 u40\n");
  EXPECT_EQ(avoir_letag_a_partir_du_code(12), "last");
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("four"), -1);
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("word"), -1);
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("last"), 12);

  // A broken line after a match does not repeat the match with stale fields.
  use_urls("music 5 12 40 page40\nbroken\nmusic 5 12 40\n");
  EXPECT_EQ(url(40), "|page40");
  EXPECT_EQ(url(40), "no   40|tamul");
  EXPECT_EQ(url(40), "|page40");
}

TEST_F(DictionaryTest, ClosedOrEmptyDictionariesMatchNothing) {
  for (const bool opened : {false, true}) {
    if (opened) {
      use_tags("");
      use_urls("");
    }
    EXPECT_EQ(avoir_letag_a_partir_du_code(12), "") << opened;
    EXPECT_EQ(avoir_lecode_a_partir_du_tag("music"), -1) << opened;
    EXPECT_EQ(url(7), "no   7|tamul") << opened;
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <sys/types.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/dictionaries.h"
#include "tools_test_support.h"

namespace {

using tools_test::ScratchDir;
using tools_test::StdoutCapture;
using tools_test::write_file;

// Dictionary files in a scratch directory, opened as fpp (URL dictionary) and
// fpp2 (tag dictionary); the previous streams are put back afterwards.
class DictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_fpp_ = fpp;
    saved_fpp2_ = fpp2;
    fpp = fpp2 = nullptr;
  }
  void TearDown() override {
    if (fpp != nullptr) std::fclose(fpp);
    if (fpp2 != nullptr) std::fclose(fpp2);
    fpp = saved_fpp_;
    fpp2 = saved_fpp2_;
  }

  static std::FILE* open_dictionary(const std::string& name, const std::string& content) {
    write_file(name, content);
    std::FILE* f = std::fopen(name.c_str(), "r");
    if (f == nullptr) throw std::runtime_error("cannot open " + name);
    return f;
  }
  void use_tags(const std::string& content) { fpp2 = open_dictionary("tags.txt", content); }
  void use_urls(const std::string& content) { fpp = open_dictionary("urls.txt", content); }

  // The URL lookup with what it printed.
  static std::string url_lookup(int code, std::string& printed) {
    StdoutCapture capture;
    std::string url = avoir_lurl_a_partir_du_code(code);
    printed = capture.take();
    return url;
  }

  // The rest of the line `stream` stands in, or "<end>".
  static std::string rest_of_line(std::FILE* stream) {
    char* buffer = nullptr;
    std::size_t capacity = 0;
    const ssize_t n = getline(&buffer, &capacity, stream);
    std::string text = n < 0 ? "<end>" : std::string(buffer, static_cast<std::size_t>(n));
    std::free(buffer);
    return text;
  }

 private:
  ScratchDir dir_;
  std::FILE* saved_fpp_ = nullptr;
  std::FILE* saved_fpp2_ = nullptr;
};

const char* const kTags =
    "music 5 12 40 page40\n"
    "rock 6 13 41 page41\n"
    "music 9 14 42 page42\n"
    "jazz 7 12 43 page43\n";

TEST_F(DictionaryTest, TagLookupGivesTheTagOfTheFirstLineWithTheTagCode) {
  use_tags(kTags);
  EXPECT_EQ(avoir_letag_a_partir_du_code(13), "rock");
  EXPECT_EQ(rest_of_line(fpp2), "music 9 14 42 page42\n") << "left just after the match";
  EXPECT_EQ(avoir_letag_a_partir_du_code(12), "music") << "starts from the top again";
  EXPECT_EQ(avoir_letag_a_partir_du_code(14), "music");
  EXPECT_EQ(avoir_letag_a_partir_du_code(40), "") << "field 4 is not the tag code";
  EXPECT_EQ(avoir_letag_a_partir_du_code(7), "") << "field 2 is not the tag code";
  EXPECT_EQ(avoir_letag_a_partir_du_code(99), "");
  EXPECT_EQ(rest_of_line(fpp2), "<end>");
}

TEST_F(DictionaryTest, ReverseTagLookupGivesTheTagCodeOfTheFirstLineWithTheTag) {
  use_tags(kTags);
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
  char mutable_tag[] = "jazz";
  EXPECT_EQ(avoir_lecode_a_partir_du_tag(mutable_tag), 12);
}

TEST_F(DictionaryTest, UrlLookupResumesAfterThePreviousMatch) {
  use_urls("a 1 1 40 u40\nb 1 1 41 u41\n");
  std::string printed;
  EXPECT_EQ(url_lookup(40, printed), "u40");
  EXPECT_EQ(printed, "");
  EXPECT_EQ(url_lookup(41, printed), "u41");
  EXPECT_EQ(printed, "");

  // 40 lies behind the position: reported missing, then found from the top.
  EXPECT_EQ(url_lookup(40, printed), "tamul");
  EXPECT_EQ(printed, "no   40");
  EXPECT_EQ(url_lookup(40, printed), "u40");
  EXPECT_EQ(printed, "");
}

TEST_F(DictionaryTest, UrlLookupOutOfFileOrderReportsTheEarlierCodeOnce) {
  use_urls("a 1 1 40 u40\nb 1 1 41 u41\n");
  std::string printed;
  EXPECT_EQ(url_lookup(41, printed), "u41");
  EXPECT_EQ(url_lookup(40, printed), "tamul");
  EXPECT_EQ(printed, "no   40");
  EXPECT_EQ(url_lookup(40, printed), "u40");
  EXPECT_EQ(printed, "");
  EXPECT_EQ(url_lookup(-3, printed), "tamul");
  EXPECT_EQ(printed, "no   -3");
}

TEST_F(DictionaryTest, UrlLookupAfterMatchingALastLineWithoutNewlineStartsFromTheTop) {
  // Reading the last line up to the end of the file sets the end indicator.
  use_urls("a 1 1 40 u40\nb 1 1 41 u41");
  std::string printed;
  EXPECT_EQ(url_lookup(41, printed), "u41");
  EXPECT_EQ(url_lookup(40, printed), "u40");
  EXPECT_EQ(printed, "");
}

TEST_F(DictionaryTest, LongLinesAreReadWhole) {
  const std::string long_tag(150, 'g');
  const std::string long_url = "http://example.org/" + std::string(300, 'a') + "/end";
  // A long line whose tail, cut off at 99 bytes, would read as a line of its own.
  const std::string padded = "pad 1 2 3 p3" + std::string(120, ' ') + "fake 0 77 77 bad\n";
  use_urls("x 1 2 50 " + long_url + "\n" + padded + "y 1 2 51 u51\n");
  use_tags(long_tag + " 1 60 61 u61\n" + padded + "short 1 62 63 u63\n");

  std::string printed;
  EXPECT_EQ(url_lookup(50, printed), long_url);
  EXPECT_EQ(url_lookup(51, printed), "u51");
  EXPECT_EQ(printed, "");
  EXPECT_EQ(url_lookup(77, printed), "tamul");
  EXPECT_EQ(printed, "no   77");

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
  std::string printed;
  EXPECT_EQ(url_lookup(40, printed), "page40");
  EXPECT_EQ(url_lookup(40, printed), "tamul");
  EXPECT_EQ(printed, "no   40");
  EXPECT_EQ(url_lookup(40, printed), "page40");
}

TEST_F(DictionaryTest, ClosedDictionariesBehaveAsEmptyOnes) {
  EXPECT_EQ(avoir_letag_a_partir_du_code(12), "");
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("music"), -1);
  std::string printed;
  EXPECT_EQ(url_lookup(7, printed), "tamul");
  EXPECT_EQ(printed, "no   7");

  use_tags("");
  use_urls("");
  EXPECT_EQ(avoir_letag_a_partir_du_code(12), "");
  EXPECT_EQ(avoir_lecode_a_partir_du_tag("music"), -1);
  EXPECT_EQ(url_lookup(7, printed), "tamul");
  EXPECT_EQ(printed, "no   7");
}

}  // namespace

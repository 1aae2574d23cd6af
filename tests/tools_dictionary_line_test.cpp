#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tools/dictionary_line.h"

namespace {

using namespace std::string_view_literals;

TEST(DictionaryLine, ReadsFiveFieldsLikeScanf) {
  DictionaryLine l;
  ASSERT_TRUE(parse_dictionary_line("music 5 12 40 page40\n", l));
  EXPECT_EQ(l.tag, "music");
  EXPECT_EQ(l.number, 5);
  EXPECT_EQ(l.tag_code, 12);
  EXPECT_EQ(l.url_code, 40);
  EXPECT_EQ(l.url, "page40");

  // Any white space separates; signs are read; the line end may be CRLF;
  // whatever follows the fifth field is ignored; a number ends at its last
  // digit.
  ASSERT_TRUE(parse_dictionary_line("  \tt\v+1\f-5\t-2147483648 http://x/y?q=1\r\n", l));
  EXPECT_EQ(l.tag, "t");
  EXPECT_EQ(l.number, 1);
  EXPECT_EQ(l.tag_code, -5);
  EXPECT_EQ(l.url_code, -2147483648);
  EXPECT_EQ(l.url, "http://x/y?q=1");
  ASSERT_TRUE(parse_dictionary_line("a 1 2 2147483647 u trailing 9 9 9 words", l));
  EXPECT_EQ(l.url_code, 2147483647);
  EXPECT_EQ(l.url, "u");
  ASSERT_TRUE(parse_dictionary_line("a 1 2 40page", l));
  EXPECT_EQ(l.url_code, 40);
  EXPECT_EQ(l.url, "page");
}

TEST(DictionaryLine, AnythingShortOfFiveFieldsIsRefusedAndLeavesTheResultAlone) {
  DictionaryLine l;
  ASSERT_TRUE(parse_dictionary_line("keep 1 2 3 kept", l));
  for (const std::string_view bad :
       {""sv, "\n"sv, "music"sv, "music 5 12 40"sv, "music 5 12 40 \n"sv, "music x 12 40 u"sv,
        "music 5 - 40 u"sv, "5 12 40 u"sv, "music 5 12 2147483648 u"sv,
        "music 5 -2147483649 40 u"sv, "music 5 99999999999999999999 40 u"sv,
        "music 5 12 40 u\0v"sv, "mu\0sic 5 12 40 u"sv}) {
    EXPECT_FALSE(parse_dictionary_line(bad, l)) << '"' << std::string(bad) << '"';
  }
  EXPECT_EQ(l.tag, "keep");
  EXPECT_EQ(l.tag_code, 2);
  EXPECT_EQ(l.url_code, 3);
  EXPECT_EQ(l.url, "kept");
}

TEST(DictionaryLine, FieldsOfAnyLength) {
  const std::string tag(500, 't');
  const std::string url = "http://example.org/" + std::string(1000, 'u');
  const std::string line = tag + " 1 2 3 " + url + "\n";
  DictionaryLine l;
  ASSERT_TRUE(parse_dictionary_line(line, l));
  EXPECT_EQ(l.tag, tag);
  EXPECT_EQ(l.url, url);
}

}  // namespace

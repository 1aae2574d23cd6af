#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tools/dictionary_line.h"

namespace {

using namespace std::string_view_literals;

// The five fields of a parsed line, "|"-separated.
std::string fields(const DictionaryLine& l) {
  return std::string(l.tag) + "|" + std::to_string(l.number) + "|" + std::to_string(l.tag_code) +
         "|" + std::to_string(l.url_code) + "|" + std::string(l.url);
}

TEST(DictionaryLine, ReadsFiveFieldsLikeScanf) {
  const std::string long_tag(500, 't');
  const std::string long_url = "http://example.org/" + std::string(1000, 'u');
  const struct {
    std::string line, expected;
  } cases[] = {
      {"music 5 12 40 page40\n", "music|5|12|40|page40"},
      // Any white space separates, signs are read, the line end may be CRLF.
      {"  \tt\v+1\f-5\t-2147483648 http://x/y?q=1\r\n", "t|1|-5|-2147483648|http://x/y?q=1"},
      // Whatever follows the fifth field is ignored.
      {"a 1 2 2147483647 u trailing 9 9 9 words", "a|1|2|2147483647|u"},
      // A number ends at its last digit.
      {"a 1 2 40page", "a|1|2|40|page"},
      // Fields of any length.
      {long_tag + " 1 2 3 " + long_url + "\n", long_tag + "|1|2|3|" + long_url},
  };
  for (const auto& c : cases) {
    DictionaryLine l;
    EXPECT_TRUE(parse_dictionary_line(c.line, l)) << c.line;
    EXPECT_EQ(fields(l), c.expected);
  }
}

TEST(DictionaryLine, AnythingShortOfFiveFieldsIsRefusedAndLeavesTheResultAlone) {
  DictionaryLine l;
  ASSERT_TRUE(parse_dictionary_line("keep 1 2 3 kept", l));
  for (const std::string_view bad :
       {""sv, "\n"sv, "music"sv, "music 5 12 40"sv, "music 5 12 40 \n"sv, "music x 12 40 u"sv,
        "music 5 - 40 u"sv, "5 12 40 u"sv, "music 5 12 2147483648 u"sv,
        "music 5 -2147483649 40 u"sv, "music 5 99999999999999999999 40 u"sv, "music 5 12 40 u\0v"sv,
        "mu\0sic 5 12 40 u"sv}) {
    EXPECT_FALSE(parse_dictionary_line(bad, l)) << '"' << std::string(bad) << '"';
  }
  EXPECT_EQ(fields(l), "keep|1|2|3|kept");
}

}  // namespace

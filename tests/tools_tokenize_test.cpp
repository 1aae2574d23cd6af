#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/tokenize.h"

namespace {

using Tokens = std::vector<std::string>;

TEST(Tokenize, SplitsOnEveryDelimiterCharacterWithoutEmptyTokens) {
  const struct {
    std::string text, delimiters;
    Tokens expected;
  } cases[] = {
      {"a b c", " ", {"a", "b", "c"}},
      {",,a, b;;cd ,", ", ;", {"a", "b", "cd"}},
      {"http://x.org/a/b", "/:", {"http", "x.org", "a", "b"}},
      {"single", " ", {"single"}},
      {"x", "x", {}},
      {"", " ", {}},
      {"", "", {}},
      {" \t ", " \t", {}},
      {" a b ", "", {" a b "}},  // no delimiters: the whole text
  };
  for (const auto& c : cases) {
    Tokens tokens;
    Tokenize(c.text, tokens, c.delimiters);
    EXPECT_EQ(tokens, c.expected) << '"' << c.text << "\" by \"" << c.delimiters << '"';
  }
}

TEST(Tokenize, AppendsAfterWhatTheVectorHolds) {
  Tokens tokens{"kept"};
  Tokenize("one two", tokens, " ");
  Tokenize("three", tokens, " ");
  EXPECT_EQ(tokens, (Tokens{"kept", "one", "two", "three"}));
}

}  // namespace

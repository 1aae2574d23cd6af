#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/tokenize.h"

namespace {

using Tokens = std::vector<std::string>;

Tokens tokens_of(const std::string& text, const std::string& delimiters) {
  Tokens tokens;
  Tokenize(text, tokens, delimiters);
  return tokens;
}

TEST(Tokenize, SplitsOnEveryDelimiterCharacterWithoutEmptyTokens) {
  EXPECT_EQ(tokens_of("a b c", " "), (Tokens{"a", "b", "c"}));
  EXPECT_EQ(tokens_of(",,a, b;;cd ,", ", ;"), (Tokens{"a", "b", "cd"}));
  EXPECT_EQ(tokens_of("http://x.org/a/b", "/:"), (Tokens{"http", "x.org", "a", "b"}));
  EXPECT_EQ(tokens_of("single", " "), (Tokens{"single"}));
  EXPECT_EQ(tokens_of("x", "x"), (Tokens{}));
}

TEST(Tokenize, NothingToSplitAppendsNothing) {
  EXPECT_EQ(tokens_of("", " "), (Tokens{}));
  EXPECT_EQ(tokens_of("", ""), (Tokens{}));
  EXPECT_EQ(tokens_of(" \t ", " \t"), (Tokens{}));
}

TEST(Tokenize, NoDelimitersKeepsTheWholeText) {
  EXPECT_EQ(tokens_of(" a b ", ""), (Tokens{" a b "}));
}

TEST(Tokenize, AppendsAfterWhatTheVectorHolds) {
  Tokens tokens{"kept"};
  Tokenize("one two", tokens, " ");
  Tokenize("three", tokens, " ");
  EXPECT_EQ(tokens, (Tokens{"kept", "one", "two", "three"}));
}

}  // namespace

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tools/code_store.h"
#include "tools/codeurls.h"

namespace {

// Gives every test an empty code store and puts the previous one back after.
class CodeStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = std::exchange(ens_code_urls, {}); }
  void TearDown() override { ens_code_urls = std::move(saved_); }

 private:
  std::vector<CodeUrls> saved_;
};

TEST(CodeUrls, DefaultPairHasCodeZeroAndNoUrl) {
  const CodeUrls pair;
  EXPECT_EQ(pair.code, 0);
  EXPECT_TRUE(pair.url.empty());

  CodeUrls copy(4, "http://a");
  const CodeUrls source = copy;
  copy.url += "/b";
  EXPECT_EQ(source.url, "http://a") << "a copy owns its own string";
}

TEST_F(CodeStoreTest, EmptyStoreKnowsNoCode) {
  for (const int code : {0, -1, 7}) {
    EXPECT_FALSE(non_appartient_codeurl(code)) << code;
    EXPECT_EQ(get_url_by_code(code), "") << code;
  }
}

TEST_F(CodeStoreTest, FirstPairWithTheCodeDecides) {
  ens_code_urls = {{7, "http://first"}, {3, "http://three"}, {7, "http://second"}, CodeUrls()};
  EXPECT_TRUE(non_appartient_codeurl(7));
  EXPECT_TRUE(non_appartient_codeurl(3));
  EXPECT_TRUE(non_appartient_codeurl(0)) << "the default pair carries code 0";
  EXPECT_FALSE(non_appartient_codeurl(4));

  EXPECT_EQ(get_url_by_code(7), "http://first");
  EXPECT_EQ(get_url_by_code(3), "http://three");
  EXPECT_EQ(get_url_by_code(0), "");
  EXPECT_EQ(get_url_by_code(4), "");
  EXPECT_EQ(ens_code_urls.size(), 4u) << "lookups leave the store unchanged";
}

}  // namespace

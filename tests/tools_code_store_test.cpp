#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tools/code_store.h"
#include "tools/codeurls.h"

namespace {

TEST(CodeUrls, DefaultPairHasCodeZeroAndNoUrl) {
  const CodeUrls pair;
  EXPECT_EQ(pair.code, 0);
  EXPECT_TRUE(pair.url.empty());
}

TEST(CodeStore, FirstPairWithTheCodeDecidesAndAnEmptyStoreKnowsNoCode) {
  const std::vector<CodeUrls> saved = std::exchange(ens_code_urls, {});
  for (const int code : {0, -1, 7}) {
    EXPECT_FALSE(non_appartient_codeurl(code)) << code;
    EXPECT_EQ(get_url_by_code(code), "") << code;
  }

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
  ens_code_urls = saved;
}

}  // namespace

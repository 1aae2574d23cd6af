#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.h"
#include "tools/store_dumps.h"
#include "tools_test_support.h"

namespace {

using tools_test::file_exists;
using tools_test::read_file;
using tools_test::ScratchDir;
using tools_test::StdoutCapture;
using tools_test::write_file;

constexpr const char* kUsers = "usersSEPARES.txt";
constexpr const char* kTags = "tagsSEPARES.txt";
constexpr const char* kUrls = "urlsSEPARES.txt";

class StoreDumpTest : public StoreTest {
 protected:
  // Runs ecrire_dans_fichiers_separes and returns what it printed.
  static std::string split() {
    StdoutCapture capture;
    ecrire_dans_fichiers_separes();
    return capture.take();
  }

  ScratchDir dir_;
};

TEST_F(StoreDumpTest, WorkingSetDumpWritesOneLinePerConcept) {
  ens_tc = {make_concept({1, 2}, {10, 11}, {5}, {7, -8}),
            make_concept({3}, {}, {}, {}),
            make_concept({}, {12}, {6, 6}, {})};
  std::FILE* out = std::fopen("dump.txt", "w+");
  ASSERT_NE(out, nullptr);
  ecrire_1erfichier(out);
  std::fclose(out);
  EXPECT_EQ(read_file("dump.txt"),
            " U = 1-2- T = 10, 11,  R =  5  D =  7  -8 \n"
            " U = 3- T =  R =  D = \n"
            " U =  T = 12,  R =  6  6  D = \n");
  EXPECT_EQ(ens_tc.size(), 3u);
}

TEST_F(StoreDumpTest, WorkingSetDumpOfAnEmptyStoreOrToNoStreamWritesNothing) {
  std::FILE* out = std::fopen("dump.txt", "w+");
  ASSERT_NE(out, nullptr);
  ecrire_1erfichier(out);
  std::fclose(out);
  EXPECT_EQ(read_file("dump.txt"), "");

  ens_tc = {make_concept({1}, {2}, {3}, {4})};
  StdoutCapture capture;
  ecrire_1erfichier(nullptr);
  EXPECT_EQ(capture.take(), "");
}

TEST_F(StoreDumpTest, SplitWritesTheUTAndRSetsOfQualifyingConcepts) {
  minsupp_u = 2;
  minsupp_t = 1;
  minsupp_r = 2;
  minsupp_d = 5;  // not tested: small D sets are written too
  ens_tc2 = {make_concept({1, 2}, {10}, {5, 6}, {7}),
             make_concept({3}, {11}, {8, 9}, {7}),          // U too small
             make_concept({4, 5}, {}, {8, 9}, {7}),         // T too small
             make_concept({4, 5}, {12}, {8}, {7}),          // R too small
             make_concept({6, 7, 6}, {13, 14}, {9, -1}, {})};
  EXPECT_EQ(split(), "");
  EXPECT_EQ(read_file(kUsers), "\n1, 2, \n6, 7, 6, ");
  EXPECT_EQ(read_file(kTags), "\n10, \n13, 14, ");
  EXPECT_EQ(read_file(kUrls), "\n5, 6, \n9, -1, ");
  EXPECT_EQ(ens_tc2.size(), 5u);
}

TEST_F(StoreDumpTest, SplitOfAnEmptyStoreCreatesThreeEmptyFiles) {
  write_file(kTags, "old");
  EXPECT_EQ(split(), "");
  EXPECT_EQ(read_file(kUsers), "");
  EXPECT_EQ(read_file(kTags), "");
  EXPECT_EQ(read_file(kUrls), "");
}

TEST_F(StoreDumpTest, SplitWritesNothingWhenAFileCannotBeCreated) {
  ens_tc2 = {make_concept({1, 2}, {10, 11}, {5, 6}, {7, 8})};
  std::filesystem::create_directory(kTags);
  write_file(kUrls, "previous");
  EXPECT_EQ(split(), "\nERROR : Impossible de creer le fichier tagsSEPARES.txt...\n");
  EXPECT_EQ(read_file(kUsers), "");
  EXPECT_EQ(read_file(kUrls), "previous");
  EXPECT_TRUE(std::filesystem::is_directory(kTags));
  EXPECT_TRUE(file_exists(kUsers));
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "test_support.h"
#include "tools/store_dumps.h"
#include "tools_test_support.h"

namespace {

using namespace tools_test;

constexpr const char* kUsers = "usersSEPARES.txt";
constexpr const char* kTags = "tagsSEPARES.txt";
constexpr const char* kUrls = "urlsSEPARES.txt";

class StoreDumpTest : public StoreTest {
 protected:
  // What ecrire_1erfichier writes to a fresh stream.
  static std::string dump() {
    std::FILE* out = std::tmpfile();
    if (out == nullptr) throw std::runtime_error("tmpfile failed");
    ecrire_1erfichier(out);
    return read_and_close(out);
  }
  // Runs ecrire_dans_fichiers_separes and returns what it printed.
  static std::string split() { return capture_stdout(ecrire_dans_fichiers_separes); }

  ScratchDir dir_;
};

TEST_F(StoreDumpTest, WorkingSetDumpWritesOneLinePerConcept) {
  EXPECT_EQ(dump(), "") << "empty store";
  ens_tc = {make_concept({1, 2}, {10, 11}, {5}, {7, -8}), make_concept({3}, {}, {}, {}),
            make_concept({}, {12}, {6, 6}, {})};
  EXPECT_EQ(dump(),
            " U = 1-2- T = 10, 11,  R =  5  D =  7  -8 \n"
            " U = 3- T =  R =  D = \n"
            " U =  T = 12,  R =  6  6  D = \n");
  EXPECT_EQ(ens_tc.size(), 3u);
  EXPECT_EQ(capture_stdout([] { ecrire_1erfichier(nullptr); }), "") << "no stream, nothing";
}

TEST_F(StoreDumpTest, SplitWritesTheUTAndRSetsOfQualifyingConceptsOrNothing) {
  write_file(kTags, "old");
  EXPECT_EQ(split(), "");
  for (const char* name : {kUsers, kTags, kUrls}) EXPECT_EQ(read_file(name), "") << "empty store";

  minsupp_u = 2;
  minsupp_t = 1;
  minsupp_r = 2;
  minsupp_d = 5;  // not tested: small D sets are written too
  ens_tc2 = {make_concept({1, 2}, {10}, {5, 6}, {7}),
             make_concept({3}, {11}, {8, 9}, {7}),   // U too small
             make_concept({4, 5}, {}, {8, 9}, {7}),  // T too small
             make_concept({4, 5}, {12}, {8}, {7}),   // R too small
             make_concept({6, 7, 6}, {13, 14}, {9, -1}, {})};
  EXPECT_EQ(split(), "");
  EXPECT_EQ(read_file(kUsers), "\n1, 2, \n6, 7, 6, ");
  EXPECT_EQ(read_file(kTags), "\n10, \n13, 14, ");
  EXPECT_EQ(read_file(kUrls), "\n5, 6, \n9, -1, ");
  EXPECT_EQ(ens_tc2.size(), 5u);

  // A file that cannot be created is named and nothing is written; the ones
  // created before it are left empty.
  std::filesystem::remove(kTags);
  std::filesystem::create_directory(kTags);
  write_file(kUrls, "previous");
  EXPECT_EQ(split(), "\nERROR : Impossible de creer le fichier tagsSEPARES.txt...\n");
  EXPECT_EQ(read_file(kUsers), "");
  EXPECT_EQ(read_file(kUrls), "previous");
  EXPECT_TRUE(std::filesystem::is_directory(kTags));
}

}  // namespace

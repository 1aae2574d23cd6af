// Helpers shared by the unit tests: building concepts tersely, printing them
// in failure messages, and a fixture that starts every test from empty stores.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "store/globals.h"
#include "store/triconcept.h"

TriConcept make_concept(std::vector<int> us, std::vector<int> ts, std::vector<int> rs,
                        std::vector<int> ds);

// Rewinds `f`, returns everything in it and closes it.
std::string read_and_close(std::FILE* f);

// "U{1 2} T{10} R{5} D{7}"
std::string describe(const TriConcept& c);
void PrintTo(const TriConcept& c, std::ostream* os);

// Resets every global store and scalar before and after each test.
class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override { reset_run_state(); }
  void TearDown() override { reset_run_state(); }
};

#include <gtest/gtest.h>

#include "run_support.h"

TEST(Smoke, RunsOnATinyBase) {
  TempDir dir;
  write_file(dir.file("base.txt"), "1 10 100 5\n2 10 100 5\n");
  const RunResult r = run_quadmine(dir.path(), {"base.txt", "1", "1", "1", "1"});
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(read_file(dir.file("quadri_concepts.txt")),
            "\nU = {1, 2, },  T = {10, },  R = {100, },  D = {5, }");
}

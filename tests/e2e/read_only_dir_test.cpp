// A working directory where the result files cannot be created: the run says
// so and exits 1, leaving the directory as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "run_support.h"

namespace {

TEST(ReadOnlyWorkingDirectory, ResultFilesCannotBeCreated) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "running as root: directory permissions are not enforced for root, so "
                    "a read-only working directory cannot be made";
  }
  TempDir dir;
  write_file(dir.file("base.txt"), "1 10 100 5\n2 10 100 5\n");
  ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
  const RunResult r = run_quadmine(dir.path(), {"base.txt", "1", "1", "1", "1"});
  chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(r.out, "\nERROR : Impossible de creer le fichier quadri_concepts.txt...\n");
  EXPECT_FALSE(file_exists(dir.file("quadri_concepts.txt")));
  EXPECT_FALSE(file_exists(dir.file("users_only.txt")));
}

}  // namespace

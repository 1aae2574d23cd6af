// The temporary-then-rename writer: what the final paths hold, and which
// temporary files are left, after a commit, a group dropped, a failed write, a
// directory in the way and a signal; devices, FIFOs and standard output
// written into in a group that asks for it; and which paths lead to one file.
#include "util/atomic_files.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>
#include <set>
#include <stdexcept>

#include "support.h"
#include "util/file_identity.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

// The names in the current directory.
std::set<std::string> entries() {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(".")) {
    names.insert(e.path().filename().string());
  }
  return names;
}

// Creates `path` in `files`, writes `text` to it and gives its stream.
std::FILE* write(AtomicFiles& files, const std::string& path, const std::string& text) {
  const Result<std::FILE*> out = files.create(path);
  if (!out.ok()) throw std::runtime_error(out.message());
  std::fputs(text.c_str(), out.value());
  return out.value();
}

TEST(AtomicFiles, CommitPutsEveryFileInPlaceTogether) {
  const ScratchDir dir;
  write_file("a", "earlier a");
  {  // Without a commit nothing is replaced and nothing left.
    AtomicFiles files;
    write(files, "a", "new a");
    write(files, "b", "new b");
  }
  EXPECT_EQ(entries(), std::set<std::string>{"a"});
  AtomicFiles files;
  std::FILE* const a = write(files, "a", "new a");
  write(files, "b", "new b");
  // Before the commit: the final paths as they were, beside two temporaries.
  EXPECT_EQ(read_file("a"), "earlier a");
  EXPECT_EQ(entries().size(), 3u);
  ASSERT_TRUE(files.commit().ok());
  EXPECT_EQ(entries(), (std::set<std::string>{"a", "b"}));
  EXPECT_EQ(read_file("a") + "|" + read_file("b"), "new a|new b");
  // The streams stay open on the final files.
  EXPECT_EQ(contents(a), "new a");
  std::fputs(" more", a);
  std::fflush(a);
  EXPECT_EQ(read_file("a"), "new a more");
}

// A file-size limit makes the writes fail (SIGXFSZ ignored: the write reports
// EFBIG instead of ending the process).
class SizeLimit {
 public:
  explicit SizeLimit(rlim_t bytes) : saved_signal_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~SizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, saved_signal_);
  }

 private:
  void (*saved_signal_)(int);
  rlimit saved_;
};

TEST(AtomicFiles, FailedWriteIsReportedAndRemoves) {
  const ScratchDir dir;
  // What b gets under a limit of 64 bytes, and the failure.
  const std::pair<std::string, std::string> cases[] = {
      // Still in the stream's buffer: the flush of the commit fails, and says why.
      {std::string(100, 'x'), "cannot write b: File too large"},
      // Beyond the buffer: an earlier write failed, whose reason stdio does not keep.
      {std::string(100000, 'x'), "cannot write b"},
  };
  for (const auto& [text, message] : cases) {
    write_file("a", "earlier a");
    write_file("b", "earlier b");
    Status committed;
    {
      const SizeLimit limit(64);
      AtomicFiles files;
      write(files, "a", "small");
      write(files, "b", text);
      committed = files.commit();
    }
    EXPECT_EQ(committed.message(), message);
    EXPECT_EQ(entries(), (std::set<std::string>{"a", "b"}));
    EXPECT_EQ(read_file("a") + "|" + read_file("b"), "earlier a|earlier b");
  }
}

// A directory made in the way between create() and commit(): no file is
// renamed, not even the first. (One there already fails create() itself.)
// And a folder that is missing.
TEST(AtomicFiles, DirectoryInTheWayFailsBeforeAnythingIsReplaced) {
  const ScratchDir dir;
  write_file("a", "earlier a");
  AtomicFiles files;
  write(files, "a", "new a");
  write(files, "d", "new d");
  std::filesystem::create_directory("d");
  EXPECT_EQ(files.commit().message(), "cannot create d: Is a directory");
  EXPECT_EQ(read_file("a"), "earlier a");
  EXPECT_EQ(entries(), (std::set<std::string>{"a", "d"}));
  // A temporary file that cannot be made: the reason of the failure.
  EXPECT_EQ(AtomicFiles().create("missing/a").message(),
            "cannot create missing/a: No such file or directory");
}

TEST(AtomicFiles, PermissionsOfANewFileAndAtMostSoManyAtOnce) {
  const ScratchDir dir;
  const mode_t saved = umask(027);
  AtomicFiles files;
  for (int k = 0; k < AtomicFiles::kMaxPending; ++k) write(files, std::to_string(k), "x");
  EXPECT_EQ(files.create("one more").message(), "cannot create one more: Too many open files");
  EXPECT_TRUE(entries().empty());  // the failure removed the group
  write(files, "a", "x");
  ASSERT_TRUE(files.commit().ok());
  umask(saved);
  struct stat st;
  ASSERT_EQ(stat("a", &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// Runs `body` in a child process and gives how it ended: its exit status, or
// 1000 + the signal that ended it.
template <typename Body>
int in_child(const Body& body) {
  const pid_t pid = fork();
  if (pid == 0) {
    body();
    _exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFSIGNALED(status) ? 1000 + WTERMSIG(status) : WEXITSTATUS(status);
}

TEST(AtomicFiles, SignalsRemoveTheTemporariesUnlessIgnored) {
  const ScratchDir dir;
  write_file("a", "earlier a");
  for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(sig);
    // The default action: the temporaries removed, then the process ended by the signal.
    EXPECT_EQ(in_child([sig] {
                AtomicFiles files;
                write(files, "a", "new a");
                write(files, "b", "new b");
                raise(sig);
              }),
              1000 + sig);
    EXPECT_EQ(entries(), std::set<std::string>{"a"});
    EXPECT_EQ(read_file("a"), "earlier a");
    // An ignored signal stays ignored: the group goes on to its commit.
    EXPECT_EQ(in_child([sig] {
                std::signal(sig, SIG_IGN);
                AtomicFiles files;
                write(files, "b", "new b");
                raise(sig);
                _exit(files.commit().ok() ? 7 : 8);
              }),
              7);
    EXPECT_EQ(read_file("b"), "new b");
    std::filesystem::remove("b");
  }
}

TEST(AtomicFiles, SignalDispositionsComeBackAfterTheLastGroup) {
  const ScratchDir dir;
  struct sigaction before = {}, during = {}, after = {};
  sigaction(SIGTERM, nullptr, &before);
  {
    AtomicFiles first, second;
    write(first, "a", "x");
    write(second, "b", "y");
    ASSERT_TRUE(first.commit().ok());
    sigaction(SIGTERM, nullptr, &during);  // the second group still has a temporary file
  }
  sigaction(SIGTERM, nullptr, &after);
  EXPECT_NE(during.sa_handler, before.sa_handler);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
  EXPECT_EQ(entries(), std::set<std::string>{"a"});
}

TEST(AtomicFiles, WritesIntoDevicesAndFifosWhenAsked) {
  const ScratchDir dir;
  mkfifo("fifo", 0600);
  const int reader = open("fifo", O_RDONLY | O_NONBLOCK);   // the pipe holds what is sent
  std::filesystem::create_symlink("/dev/null", "to-null");  // a fault replaces the link only
  {  // A failure elsewhere in the group: what went into the FIFO stays written.
    AtomicFiles files(NonRegularTargets::WriteInto);
    write(files, "fifo", "sent");
    write(files, "to-null", "nothing");
    write(files, "b", "new b");
    std::filesystem::create_directory("b");
    EXPECT_EQ(files.commit().message(), "cannot create b: Is a directory");
  }
  char sent[8] = {};
  EXPECT_EQ(read(reader, sent, sizeof sent), 4);
  close(reader);
  EXPECT_STREQ(sent, "sent");
  EXPECT_TRUE(std::filesystem::is_character_file("to-null"));
  EXPECT_EQ(entries(), (std::set<std::string>{"b", "fifo", "to-null"}));
  {  // The default group renames over a FIFO like any other path.
    AtomicFiles files;
    write(files, "fifo", "a file now");
    ASSERT_TRUE(files.commit().ok());
  }
  EXPECT_TRUE(std::filesystem::is_regular_file("fifo"));
  EXPECT_EQ(read_file("fifo"), "a file now");
}

// Through a link of its own to standard output, not /dev/stdout: a fault that
// renamed over the path would then replace the link, not the system's.
TEST(AtomicFiles, WritesThroughStandardOutputWhenAPathLeadsToIt) {
  const ScratchDir dir;
  write_file("out", "before\n");
  std::filesystem::create_symlink("/proc/self/fd/1", "to-stdout");
  std::fflush(stdout);
  const int saved = dup(STDOUT_FILENO);
  const int out = open("out", O_WRONLY | O_APPEND);
  dup2(out, STDOUT_FILENO);
  close(out);
  Status committed;
  {
    AtomicFiles files(NonRegularTargets::WriteInto);
    write(files, "to-stdout", "base\n");
    committed = files.commit();
  }
  std::printf("summary\n");
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  ASSERT_TRUE(committed.ok()) << committed.message();
  EXPECT_EQ(read_file("out"), "before\nbase\nsummary\n");  // in the order written
  EXPECT_TRUE(std::filesystem::is_symlink("to-stdout"));
  EXPECT_EQ(entries(), (std::set<std::string>{"out", "to-stdout"}));
}

TEST(FileIdentity, PathsThatLeadToOneFile) {
  const ScratchDir dir;
  std::filesystem::create_directory("d");
  write_file("f", "x");
  write_file("g", "x");
  std::filesystem::create_symlink("f", "link");
  const struct {
    const char *a, *b;
    bool same;
  } cases[] = {
      {"f", "./f", true},      {"f", "d/../f", true},   {"f", "link", true},
      {"f", "g", false},       {"new", "./new", true},  {"new", "d/../new", true},
      {"new", "d/new", false}, {"new", "f", false},     {"f", "new", false},
      {"no/x", "no/x", true},  {"no/x", "no/y", false},
  };
  for (const auto& c : cases) EXPECT_EQ(same_place(c.a, c.b), c.same) << c.a << " " << c.b;
  EXPECT_TRUE(is_regular_file("link"));
  EXPECT_FALSE(is_regular_file("d"));
  EXPECT_FALSE(is_regular_file("/dev/null"));
  EXPECT_FALSE(is_regular_file("new"));
}

}  // namespace

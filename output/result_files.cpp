#include "output/result_files.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace quadmine {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignalCount = 3;
constexpr int kFiles = 2;
constexpr std::size_t kNameSize = 64;

// What the signal handler reads, in static storage: the names of the
// temporary files that exist now (the first `temporaries` of them).
char temporary_names[kFiles][kNameSize];
volatile sig_atomic_t temporaries = 0;

// The dispositions the handler replaced, and whether it replaced them.
struct sigaction replaced[kSignalCount];
bool handling[kSignalCount] = {};

// Removes the temporary files, then ends the process by the same signal with
// its default action, so that the exit status is the usual one. Only
// async-signal-safe calls: unlink, signal, raise.
extern "C" void remove_temporaries_and_reraise(int sig) {
  for (sig_atomic_t k = 0; k < temporaries; ++k) unlink(temporary_names[k]);
  signal(sig, SIG_DFL);
  raise(sig);  // delivered when the handler returns
}

sigset_t handled_signals() {
  sigset_t set;
  sigemptyset(&set);
  for (const int sig : kSignals) sigaddset(&set, sig);
  return set;
}

// Installs the handler for the three signals, except those that are ignored
// (a run started in the background or under nohup stays deaf to them).
void handle_signals() {
  struct sigaction action = {};
  action.sa_handler = remove_temporaries_and_reraise;
  action.sa_mask = handled_signals();
  for (int k = 0; k < kSignalCount; ++k) {
    sigaction(kSignals[k], nullptr, &replaced[k]);
    if (replaced[k].sa_handler == SIG_IGN) continue;
    sigaction(kSignals[k], &action, nullptr);
    handling[k] = true;
  }
}

void restore_signals() {
  for (int k = 0; k < kSignalCount; ++k) {
    if (handling[k]) sigaction(kSignals[k], &replaced[k], nullptr);
    handling[k] = false;
  }
}

// Blocks the three signals for its lifetime, so that the handler never sees
// the names half made or the files half renamed.
class SignalsBlocked {
 public:
  SignalsBlocked() {
    const sigset_t set = handled_signals();
    sigprocmask(SIG_BLOCK, &set, &saved_);
  }
  ~SignalsBlocked() { sigprocmask(SIG_SETMASK, &saved_, nullptr); }
  SignalsBlocked(const SignalsBlocked&) = delete;
  SignalsBlocked& operator=(const SignalsBlocked&) = delete;

 private:
  sigset_t saved_;
};

// The permissions fopen gives a file it creates: 0666 less the umask.
mode_t creation_mode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// A new temporary file beside `final_name`, opened "w+"; nullptr on failure.
std::FILE* create_temporary(const char* final_name, int k) {
  char* name = temporary_names[k];
  std::snprintf(name, kNameSize, "%s.XXXXXX", final_name);
  const int fd = mkstemp(name);
  if (fd < 0) return nullptr;
  temporaries = k + 1;
  std::FILE* file = fchmod(fd, creation_mode()) == 0 ? fdopen(fd, "w+") : nullptr;
  if (file == nullptr) close(fd);
  return file;
}

bool written(std::FILE* file) { return std::fflush(file) == 0 && !std::ferror(file); }

Status cannot_create(const char* name) {
  return Status::error(std::string("Impossible de creer le fichier ") + name);
}

Status cannot_write(const char* name) {
  return Status::error(std::string("Impossible d'ecrire le fichier ") + name);
}

bool is_directory(const char* name) {
  struct stat st;
  return stat(name, &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

ResultFiles::~ResultFiles() {
  if (!committed_) {
    discard();
    return;
  }
  std::fclose(concepts_);
  std::fclose(users_);
}

Status ResultFiles::create() {
  const char* const names[kFiles] = {kConceptsName, kUsersName};
  // A directory in the way would only show at the rename, after the first
  // file was replaced.
  for (const char* name : names) {
    if (is_directory(name)) return cannot_create(name);
  }
  const SignalsBlocked blocked;
  handle_signals();
  std::FILE** streams[kFiles] = {&concepts_, &users_};
  for (int k = 0; k < kFiles; ++k) {
    *streams[k] = create_temporary(names[k], k);
    if (*streams[k] == nullptr) {
      discard();
      return cannot_create(names[k]);
    }
  }
  return {};
}

Status ResultFiles::commit() {
  Status failure;
  if (!written(concepts_)) {
    failure = cannot_write(kConceptsName);
  } else if (!written(users_)) {
    failure = cannot_write(kUsersName);
  }
  const SignalsBlocked blocked;
  if (failure.ok() && std::rename(temporary_names[0], kConceptsName) != 0) {
    failure = cannot_create(kConceptsName);
  }
  if (failure.ok() && std::rename(temporary_names[1], kUsersName) != 0) {
    failure = cannot_create(kUsersName);
  }
  if (!failure.ok()) {
    discard();
    return failure;
  }
  temporaries = 0;
  committed_ = true;
  restore_signals();
  return {};
}

void ResultFiles::discard() {
  const SignalsBlocked blocked;
  if (concepts_ != nullptr) std::fclose(concepts_);
  if (users_ != nullptr) std::fclose(users_);
  concepts_ = users_ = nullptr;
  for (sig_atomic_t k = 0; k < temporaries; ++k) unlink(temporary_names[k]);
  temporaries = 0;
  restore_signals();
}

}  // namespace quadmine

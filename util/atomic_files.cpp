#include "util/atomic_files.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>

#include "util/file_identity.h"

namespace quadmine {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignalCount = 3;
constexpr int kSlots = AtomicFiles::kMaxPending;
constexpr const char kSuffix[] = ".XXXXXX";
constexpr std::size_t kNameSize = PATH_MAX + sizeof kSuffix;

// What the signal handler reads, in static storage: the name of each slot's
// temporary file, and whether that file exists now. A slot is marked used
// only once its name is complete, and free only once its file is gone.
char slot_names[kSlots][kNameSize];
std::atomic<bool> slot_used[kSlots];
static_assert(std::atomic<bool>::is_always_lock_free, "read by a signal handler");

// The rest of the table, changed under `table` (groups in several threads).
std::mutex table;
int slots_taken = 0;
struct sigaction replaced[kSignalCount];  // the dispositions the handler took over
bool handling[kSignalCount] = {};

// Removes the temporary files, then ends the process by the same signal with
// its default action. Only async-signal-safe calls: unlink, signal, raise.
extern "C" void remove_temporaries_and_reraise(int sig) {
  for (int k = 0; k < kSlots; ++k) {
    if (slot_used[k].load()) unlink(slot_names[k]);
  }
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
// (a program started in the background or under nohup stays deaf to them).
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

// Holds the three signals off in this thread for its lifetime, so that the
// handler never runs between a file's creation and its slot being marked, or
// between two renames of a group.
class SignalsHeld {
 public:
  SignalsHeld() {
    const sigset_t set = handled_signals();
    pthread_sigmask(SIG_BLOCK, &set, &saved_);
  }
  ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t saved_;
};

// The permissions fopen gives a file it creates: 0666 less the umask (which
// can only be read by setting it, so this runs under `table`).
mode_t creation_mode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Creates the temporary file of `path` in a free slot, with the permissions
// of a new file, and marks the slot. Returns the slot and sets `fd`; -1 with
// errno set on failure.
int make_temporary(const std::string& path, int& fd) {
  const std::lock_guard<std::mutex> lock(table);
  int slot = 0;
  while (slot < kSlots && slot_used[slot].load()) ++slot;
  if (slot == kSlots) {
    errno = EMFILE;
    return -1;
  }
  char* name = slot_names[slot];
  if (path.size() >= PATH_MAX) {
    errno = ENAMETOOLONG;
    return -1;
  }
  std::memcpy(name, path.data(), path.size());
  std::memcpy(name + path.size(), kSuffix, sizeof kSuffix);
  fd = mkstemp(name);
  if (fd < 0) return -1;
  if (fchmod(fd, creation_mode()) != 0) {
    const int error = errno;
    close(fd);
    unlink(name);
    errno = error;
    return -1;
  }
  slot_used[slot].store(true);
  if (slots_taken++ == 0) handle_signals();
  return slot;
}

// Frees a slot whose file was renamed or removed.
void free_slot(int slot) {
  const std::lock_guard<std::mutex> lock(table);
  slot_used[slot].store(false);
  if (--slots_taken == 0) restore_signals();
}

bool is_directory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A path that exists and, links followed, is neither a regular file nor a
// directory: a device, a FIFO or a socket.
bool is_special(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

bool leads_to_standard_output(const std::string& path) {
  const std::optional<FileIdentity> out = identity_of_descriptor(STDOUT_FILENO);
  return out.has_value() && identity_of_path(path) == out;
}

// A stream on a copy of descriptor 1, after what stdout holds; nullptr with
// errno set on failure.
std::FILE* open_standard_output() {
  std::fflush(stdout);
  const int fd = dup(STDOUT_FILENO);
  if (fd < 0) return nullptr;
  std::FILE* stream = fdopen(fd, "w");
  if (stream == nullptr) {
    const int error = errno;
    close(fd);
    errno = error;
  }
  return stream;
}

std::string with_reason(const char* what, const std::string& path, int error) {
  return what + path + (error != 0 ? std::string(": ") + std::strerror(error) : std::string());
}

std::string cannot_create(const std::string& path, int error) {
  return with_reason("cannot create ", path, error);
}

std::string cannot_write(const std::string& path, int error) {
  return with_reason("cannot write ", path, error);
}

}  // namespace

bool written_in_place(const std::string& path) {
  return leads_to_standard_output(path) || is_special(path);
}

AtomicFiles::AtomicFiles() : AtomicFiles(FileMessages{cannot_create, cannot_write}) {}

AtomicFiles::AtomicFiles(FileMessages messages) : messages_(messages) {}

AtomicFiles::AtomicFiles(NonRegularTargets targets) : AtomicFiles() { targets_ = targets; }

AtomicFiles::~AtomicFiles() {
  discard();
  for (std::FILE* stream : done_) std::fclose(stream);
}

Result<std::FILE*> AtomicFiles::create(const std::string& path) {
  // A directory in the way would only show at the rename.
  if (is_directory(path)) return fail_create(path, EISDIR);
  if (targets_ == NonRegularTargets::WriteInto && written_in_place(path)) {
    return create_in_place(path);
  }
  const SignalsHeld held;
  int fd = -1;
  const int slot = make_temporary(path, fd);
  if (slot < 0) return fail_create(path, errno);
  std::FILE* stream = fdopen(fd, "w+");
  if (stream == nullptr) {
    const int error = errno;
    close(fd);
    unlink(slot_names[slot]);
    free_slot(slot);
    return fail_create(path, error);
  }
  pending_.push_back(File{path, stream, slot});
  return stream;
}

Result<std::FILE*> AtomicFiles::create_in_place(const std::string& path) {
  std::FILE* stream =
      leads_to_standard_output(path) ? open_standard_output() : std::fopen(path.c_str(), "w");
  if (stream == nullptr) return fail_create(path, errno);
  pending_.push_back(File{path, stream, -1});
  return stream;
}

Status AtomicFiles::commit() {
  Status status = check_streams();
  if (status.ok()) status = rename_all();
  if (!status.ok()) discard();
  return status;
}

Status AtomicFiles::fail_create(const std::string& path, int error) {
  discard();
  return Status::error(messages_.cannot_create(path, error));
}

Status AtomicFiles::check_streams() const {
  for (const File& file : pending_) {
    errno = 0;  // stays 0 when only an earlier write failed: its reason is gone
    if (std::fflush(file.stream) != 0 || std::ferror(file.stream) != 0) {
      return Status::error(messages_.cannot_write(file.path, errno));
    }
  }
  for (const File& file : pending_) {
    if (file.slot >= 0 && is_directory(file.path)) {
      return Status::error(messages_.cannot_create(file.path, EISDIR));
    }
  }
  return {};
}

// Renames the files in order; on a failure, those not renamed stay pending.
Status AtomicFiles::rename_all() {
  const SignalsHeld held;
  std::size_t renamed = 0;
  Status status;
  for (; renamed < pending_.size(); ++renamed) {
    const File& file = pending_[renamed];
    if (file.slot < 0) {  // written in place: nothing to rename
      done_.push_back(file.stream);
      continue;
    }
    if (std::rename(slot_names[file.slot], file.path.c_str()) != 0) {
      status = Status::error(messages_.cannot_create(file.path, errno));
      break;
    }
    free_slot(file.slot);
    done_.push_back(file.stream);
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(renamed));
  return status;
}

void AtomicFiles::discard() {
  const SignalsHeld held;
  for (const File& file : pending_) {
    std::fclose(file.stream);
    if (file.slot < 0) continue;  // written in place: what it holds stays
    unlink(slot_names[file.slot]);
    free_slot(file.slot);
  }
  pending_.clear();
}

}  // namespace quadmine

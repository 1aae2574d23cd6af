// Files that appear whole or not at all: the one way the programs write a file.
//
// AtomicFiles is a group of files being written. create(PATH) makes a unique
// temporary file beside PATH ("PATH.XXXXXX", by mkstemp, given the
// permissions fopen gives a new file: 0666 less the umask) and returns its
// stream, open "w+". commit() flushes and checks every stream, makes sure no
// final path is a directory, then renames every file over its final path, in
// the order of creation. Until then, any failure of create() or commit(), the
// destruction of the group, and SIGINT, SIGTERM or SIGHUP remove every
// temporary file of the group, so the final paths keep what they held. The
// signal then ends the process by its default action, so the exit status is
// the usual one; a signal that was ignored when the group began stays ignored.
// The signals are held off while a file is created or the files are renamed,
// so a group is never left half renamed by them.
//
// The streams stay open until the group is destroyed: after commit() they are
// on the final files, and can be rewound and read back.
//
// Only the renames are atomic: when a rename fails after others succeeded,
// those stay done (the rest are removed). A group lives in one thread; at most
// kMaxPending temporary files exist at once in the whole process.
//
// A group made with NonRegularTargets::WriteInto never renames over a final
// path that is not a regular file: a path that leads to the file open on
// standard output is written through descriptor 1 (so a pipe, a terminal or a
// redirection gets the text where the shell put it), and any other existing
// device, FIFO or socket is opened and written where it is. Such a target
// holds what was written as soon as it is written: nothing can take it back.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "util/status.h"

namespace quadmine {

// The messages of the failures, each given the final path and the errno (0
// when the reason is not known).
struct FileMessages {
  // The temporary file cannot be made, a final path is a directory, or a
  // rename fails. Default: "cannot create PATH: REASON".
  std::string (*cannot_create)(const std::string& path, int error);
  // A flush or an earlier write failed. Default: "cannot write PATH: REASON",
  // or "cannot write PATH" when the failed write was an earlier one, whose
  // reason stdio does not keep.
  std::string (*cannot_write)(const std::string& path, int error);
};

// What create() does with a final path that exists and is not a regular file
// or a directory (a device, a FIFO, a socket, or a symbolic link to one).
enum class NonRegularTargets {
  RenameOver,  // like any other path: the new file is renamed over it
  WriteInto,   // written where it is, never renamed over (see above)
};

// Whether a NonRegularTargets::WriteInto group writes `path` where it is
// (standard output, a device, a FIFO, a socket) rather than renaming over it.
bool written_in_place(const std::string& path);

class AtomicFiles {
 public:
  static constexpr int kMaxPending = 16;

  AtomicFiles();
  explicit AtomicFiles(FileMessages messages);
  explicit AtomicFiles(NonRegularTargets targets);
  // Closes the streams; removes the temporary files unless committed.
  ~AtomicFiles();
  AtomicFiles(const AtomicFiles&) = delete;
  AtomicFiles& operator=(const AtomicFiles&) = delete;

  // A new temporary file for `path`. A failure removes every file of the group.
  Result<std::FILE*> create(const std::string& path);

  // Puts every file in place, as described above. A failure removes the
  // temporary files that are left. Creating after a commit starts a new group.
  Status commit();

 private:
  struct File {
    std::string path;
    std::FILE* stream;
    int slot;  // in the table the signal handler reads; -1 when written in place
  };

  Result<std::FILE*> create_in_place(const std::string& path);
  Status fail_create(const std::string& path, int error);
  Status check_streams() const;
  Status rename_all();
  void discard();

  FileMessages messages_;
  NonRegularTargets targets_ = NonRegularTargets::RenameOver;
  std::vector<File> pending_;     // created, not yet renamed
  std::vector<std::FILE*> done_;  // renamed, open until the group goes
};

}  // namespace quadmine

// quadmine-prepare: turns a delimited file of tagging events into a base that
// quadmine reads, with dictionaries for the identifier columns that hold text
// or are given names.
//
// Exit status: 0 when the base was written (and after -h, --help and
// --version), 1 after any error (the command line, the raw file, a names
// file, a file that could not be written, standard output that could not be
// written), with a message on standard error. A run that fails before writing
// leaves every file as it was.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "prepare/command_line.h"
#include "prepare/names_file.h"
#include "prepare/prepared_files.h"
#include "prepare/raw_events.h"
#include "util/atomic_files.h"
#include "util/file_handle.h"
#include "util/file_identity.h"
#include "util/progress.h"
#include "util/status.h"
#include "util/version.h"

namespace quadmine {

namespace {

constexpr const char* kProgram = "quadmine-prepare";
constexpr const char* kStandardInput = "(standard input)";
constexpr const char* kDimensionNames[kDimensions] = {"users", "tags", "resources"};

void say(std::FILE* to, const std::string& message) {
  std::fprintf(to, "%s: %s\n", kProgram, message.c_str());
}

// Refuses to write `target` over a file the run reads: the raw file
// (standard input included) or a names file. A device or a FIFO is written
// into, which loses nothing; a regular file would be replaced.
Status check_target(const std::string& target, const std::string& what, const PrepareOptions& o) {
  const std::optional<FileIdentity> file = identity_of_path(target);
  if (file && !is_regular_file(target)) return {};
  const std::string refused = what + " " + target + " would replace ";
  if (o.raw == "-" ? file && file == identity_of_descriptor(STDIN_FILENO)
                   : same_place(target, o.raw)) {
    return Status::error(refused + "the raw file " + (o.raw == "-" ? kStandardInput : o.raw));
  }
  for (const NamesFile& names : o.names) {
    if (!names.path.empty() && same_place(target, names.path)) {
      return Status::error(refused + "the names file " + names.path);
    }
  }
  return {};
}

// The size of the regular file open on `stream`, or 0 when it is none.
std::size_t regular_size(std::FILE* stream) {
  struct stat st;
  if (fstat(fileno(stream), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return static_cast<std::size_t>(st.st_size);
}

// Reads a delimited file with progress; `read(reader)` does the rest.
template <typename Read>
auto read_file(std::FILE* stream, const std::string& name, const InputFormat& format, Read read) {
  const std::string phase = "reading " + name;
  progress_begin(phase.c_str(), regular_size(stream));
  DelimitedReader reader(stream, name, format);
  auto result = read(reader);
  progress_end();
  return result;
}

Result<PreparedBase> read_raw(const PrepareOptions& o, BadLines& bad) {
  const auto read = [&](DelimitedReader& reader) { return read_raw_events(reader, o, bad); };
  if (o.raw == "-") return read_file(stdin, kStandardInput, o.format, read);
  const Result<FileHandle> raw = open_for_reading(o.raw);
  if (!raw.ok()) return raw.status();
  return read_file(raw.value().get(), o.raw, o.format, read);
}

Status read_all_names(const PrepareOptions& o, const PreparedBase& prepared, BadLines& bad,
                      ColumnNames& names) {
  for (int k = 0; k < kDimensions; ++k) {
    const NamesFile& file = o.names[k];
    if (file.path.empty()) continue;
    const Result<FileHandle> in = open_for_reading(file.path);
    if (!in.ok()) return in.status();
    names[k].emplace();
    const Status status = read_file(in.value().get(), file.path, o.format, [&](auto& reader) {
      return read_names(reader, file, prepared.columns[k], *names[k], bad);
    });
    if (!status.ok()) return status;
  }
  return {};
}

// Every names file can be opened, before the long reading of the raw file.
Status check_inputs(const PrepareOptions& o) {
  for (const NamesFile& file : o.names) {
    if (file.path.empty()) continue;
    if (Result<FileHandle> in = open_for_reading(file.path); !in.ok()) return in.status();
  }
  return check_target(o.base, "the base", o);
}

Status check_dictionaries(const PrepareOptions& o, const std::vector<DictionaryTarget>& targets) {
  if (!targets.empty() && written_in_place(o.base)) {
    return Status::error("the base " + o.base +
                         " is written where it is (standard output, a device or a FIFO), so "
                         "its dictionaries cannot go beside it: give the base a file name");
  }
  for (const DictionaryTarget& target : targets) {
    if (Status status = check_target(target.path, "the dictionary", o); !status.ok()) {
      return status;
    }
  }
  return {};
}

// Whether a file written is the one standard output goes to (a pipe, a
// redirection; a terminal or /dev/null does not count): the summary then goes
// to standard error, so that the output holds the file alone.
bool writes_to_standard_output(const std::vector<std::string>& paths) {
  struct stat st;
  if (fstat(STDOUT_FILENO, &st) != 0 || S_ISCHR(st.st_mode)) return false;
  for (const std::string& path : paths) {
    if (identity_of_path(path) == FileIdentity{st.st_dev, st.st_ino}) return true;
  }
  return false;
}

void report_bad_lines(const BadLines& bad) {
  if (bad.count() == 0) return;
  for (const std::string& line : bad.named()) say(stderr, "skipped " + line);
  std::string total = std::to_string(bad.count()) + (bad.count() == 1 ? " bad line" : " bad lines");
  if (bad.count() > static_cast<long>(bad.named().size())) {
    total += " skipped, the first " + std::to_string(bad.named().size()) + " named above";
  } else {
    total += " skipped";
  }
  say(stderr, total);
}

void report_unnamed(const PrepareOptions& o, const PreparedBase& prepared,
                    const ColumnNames& names) {
  for (int k = 0; k < kDimensions; ++k) {
    if (!names[k]) continue;
    const long missing = unnamed(*names[k]);
    if (missing == 0) continue;
    say(stderr, "warning: " + std::to_string(missing) + " of " + std::to_string(names[k]->size()) +
                    " " + kDimensionNames[k] + " have no name in " + o.names[k].path +
                    "; the dictionary gives them their " +
                    (prepared.columns[k].coded() ? "texts" : "ids"));
  }
}

void report_written(const PrepareOptions& o, const PreparedBase& prepared,
                    const std::vector<DictionaryTarget>& targets) {
  std::vector<std::string> paths = {o.base};
  std::string line = std::to_string(prepared.events) + " events, " +
                     std::to_string(prepared.quads.size()) + " distinct quadruples written to " +
                     o.base;
  for (const DictionaryTarget& target : targets) {
    line += ", " + target.path;
    paths.push_back(target.path);
  }
  say(writes_to_standard_output(paths) ? stderr : stdout, line);
}

// What a run reads and what it will write.
struct Run {
  PreparedBase prepared;
  ColumnNames names;
  std::vector<DictionaryTarget> targets;
};

// Everything before writing: the checks, the raw file, the names files and
// the dictionaries to write.
Status read_run(const PrepareOptions& o, BadLines& bad, Run& run) {
  if (Status status = check_inputs(o); !status.ok()) return status;
  Result<PreparedBase> prepared = read_raw(o, bad);
  if (!prepared.ok()) return prepared.status();
  run.prepared = std::move(prepared.value());
  if (Status status = read_all_names(o, run.prepared, bad, run.names); !status.ok()) {
    return status;
  }
  run.targets = dictionary_targets(run.prepared, run.names, o.base);
  return check_dictionaries(o, run.targets);
}

int prepare(const PrepareOptions& o) {
  progress_enable(isatty(STDERR_FILENO) != 0);
  BadLines bad(o.skip_bad);
  Run run;
  Status status = read_run(o, bad, run);
  if (status.ok()) status = write_prepared(run.prepared, run.names, run.targets, o.base);
  if (!status.ok()) {
    say(stderr, status.message());
    return 1;
  }
  report_bad_lines(bad);
  report_unnamed(o, run.prepared, run.names);
  report_written(o, run.prepared, run.targets);
  return 0;
}

int answer(const PrepareOptions& o) {
  if (o.request == Request::Help) {
    std::fputs(kPrepareUsage, stdout);
  } else if (o.request == Request::Version) {
    std::printf("%s %s\n", kProgram, project_version());
  } else {
    return prepare(o);
  }
  return 0;
}

}  // namespace

int run_command(int argc, char** argv) {
  const Result<PrepareOptions> options = parse_prepare_options(argc, argv);
  if (!options.ok()) {
    say(stderr, options.message() + "\nTry 'quadmine-prepare --help'.");
    return 1;
  }
  int status = answer(options.value());
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    const std::string reason = errno != 0 ? std::string(": ") + std::strerror(errno) : "";
    say(stderr, "cannot write standard output" + reason);
    status = 1;
  }
  return status;
}

}  // namespace quadmine

int main(int argc, char** argv) { return quadmine::run_command(argc, argv); }

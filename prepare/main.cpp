// quadmine-prepare: turns a delimited file of tagging events into a base that
// quadmine reads, with dictionaries for the identifier columns that hold text.
//
// Exit status: 0 when the base was written (and after -h, --help and
// --version), 1 after any error (the command line, the raw file, or a file
// that could not be written), with a message on standard error. A failed run
// leaves every file as it was.

#include <cstdio>
#include <string>
#include <vector>

#include "prepare/command_line.h"
#include "prepare/prepared_files.h"
#include "prepare/raw_events.h"
#include "util/file_handle.h"
#include "util/status.h"
#include "util/version.h"

namespace quadmine {

namespace {

constexpr const char* kProgram = "quadmine-prepare";

int fail(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
  return 1;
}

Result<PreparedBase> read_raw_file(const PrepareOptions& options) {
  const Result<FileHandle> raw = open_for_reading(options.raw);
  if (!raw.ok()) return raw.status();
  return read_raw_events(raw.value().get(), options.raw, options);
}

}  // namespace

int run_command(int argc, char** argv) {
  const Result<PrepareOptions> options = parse_prepare_options(argc, argv);
  if (!options.ok()) return fail(options.message() + "\nTry 'quadmine-prepare --help'.");
  if (options->request == Request::Help) {
    std::fputs(kPrepareUsage, stdout);
    return 0;
  }
  if (options->request == Request::Version) {
    std::printf("%s %s\n", kProgram, project_version());
    return 0;
  }
  const Result<PreparedBase> prepared = read_raw_file(options.value());
  if (!prepared.ok()) return fail(prepared.message());
  const Result<std::vector<std::string>> dictionaries =
      write_prepared(prepared.value(), options->base);
  if (!dictionaries.ok()) return fail(dictionaries.message());

  std::printf("%s: %ld events, %zu distinct quadruples written to %s", kProgram, prepared->events,
              prepared->quads.size(), options->base.c_str());
  for (const std::string& path : dictionaries.value()) std::printf(", %s", path.c_str());
  std::printf("\n");
  return 0;
}

}  // namespace quadmine

int main(int argc, char** argv) { return quadmine::run_command(argc, argv); }

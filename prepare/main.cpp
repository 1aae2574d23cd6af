// quadmine-prepare: turns a delimited file of tagging events into a base that
// quadmine reads, with dictionaries for the identifier columns that hold text.
//
// Exit status: 0 when the base was written, 1 after any error (the command
// line, the raw file, or a file that could not be written), with a message
// on standard error. A failed run leaves every file as it was.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "formats/code_dictionary.h"
#include "prepare/atomic_file.h"
#include "prepare/command_line.h"
#include "prepare/raw_events.h"

namespace quadmine {

namespace {

constexpr const char* kProgram = "quadmine-prepare";

int fail(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
  return 1;
}

bool write_base(std::FILE* out, const std::vector<Quad>& quads) {
  for (const Quad& q : quads) std::fprintf(out, "%d %d %d %d\n", q[0], q[1], q[2], q[3]);
  return std::ferror(out) == 0;
}

// A dictionary to write beside the base.
struct DictionaryOutput {
  const IdColumn* column;
  const char* suffix;
  DictionaryKind kind;
};

}  // namespace

int run_command(int argc, char** argv) {
  PrepareOptions options;
  std::string error;
  if (!parse_prepare_options(argc - 1, argv + 1, options, error)) {
    return fail(error + "\nTry 'quadmine-prepare --help'.");
  }
  if (options.help) {
    std::fputs(kPrepareUsage, stdout);
    return 0;
  }

  std::FILE* raw = std::fopen(options.raw.c_str(), "r");
  if (raw == nullptr) return fail("cannot open " + options.raw + ": " + std::strerror(errno));
  PreparedBase prepared;
  const bool read = read_raw_events(raw, options.raw, options, prepared, error);
  std::fclose(raw);
  if (!read) return fail(error);

  // Every file is written whole under a temporary name before any is renamed.
  const DictionaryOutput dictionaries[] = {
      {&prepared.users, ".users", DictionaryKind::Tag},
      {&prepared.tags, ".tags", DictionaryKind::Tag},
      {&prepared.resources, ".resources", DictionaryKind::Resource}};
  std::vector<std::unique_ptr<AtomicFile>> files;
  for (const DictionaryOutput& d : dictionaries) {
    if (!d.column->coded()) continue;
    files.push_back(std::make_unique<AtomicFile>(options.base + d.suffix));
    if (files.back()->ok())
      write_code_dictionary(files.back()->stream(), d.kind, d.column->texts());
  }
  files.push_back(std::make_unique<AtomicFile>(options.base));
  if (files.back()->ok()) write_base(files.back()->stream(), prepared.quads);
  for (const auto& file : files) {
    if (!file->ok()) {
      return fail("cannot create a file beside " + file->path() + ": " +
                  std::strerror(file->error()));
    }
  }
  for (const auto& file : files) {
    if (!file->commit()) {
      return fail("cannot write " + file->path() + ": " + std::strerror(file->error()));
    }
  }

  std::printf("%s: %ld events, %zu distinct quadruples written to %s", kProgram, prepared.events,
              prepared.quads.size(), options.base.c_str());
  for (std::size_t i = 0; i + 1 < files.size(); ++i) std::printf(", %s", files[i]->path().c_str());
  std::printf("\n");
  return 0;
}

}  // namespace quadmine

int main(int argc, char** argv) { return quadmine::run_command(argc, argv); }

// quadmine-show: prints the concepts of a run (quadri_concepts.txt) with the
// texts of the dictionaries written by quadmine-prepare, or a summary of them.
// It only reads: the result files are never changed.
//
// Exit status: 0 after printing, 1 after any error (the command line, a file
// that cannot be opened or read, a line that is not in its file's format),
// with a message on standard error.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "formats/code_dictionary.h"
#include "formats/concept_file.h"
#include "show/command_line.h"
#include "show/listing.h"
#include "show/names.h"
#include "show/selection.h"
#include "show/summary.h"
#include "tools/tool_files.h"

namespace quadmine {

namespace {

constexpr const char* kProgram = "quadmine-show";

int fail(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
  return 1;
}

FileHandle open_input(const std::string& path, std::string& error) {
  FileHandle file(std::fopen(path.c_str(), "r"));
  if (!file) error = "cannot open " + path + ": " + std::strerror(errno);
  return file;
}

std::string bad_line(const std::string& path, long line, const char* what) {
  return path + ":" + std::to_string(line) + ": " + what;
}

}  // namespace

int run_command(int argc, char** argv) {
  ShowOptions options;
  std::string error;
  if (!parse_show_options(argc - 1, argv + 1, options, error)) {
    return fail(error + "\nTry 'quadmine-show --help'.");
  }
  if (options.help) {
    std::fputs(kShowUsage, stdout);
    return 0;
  }

  const std::string concepts_path = options.dir + "/quadri_concepts.txt";
  std::vector<ReportedConcept> concepts;
  {
    const FileHandle in = open_input(concepts_path, error);
    if (!in) return fail(error);
    const long bad = read_concept_file(in.get(), concepts);
    if (bad != 0) return fail(bad_line(concepts_path, bad, "not a concept line"));
  }

  Names names;
  const DictionaryKind kinds[] = {DictionaryKind::Tag, DictionaryKind::Tag,
                                  DictionaryKind::Resource};
  for (int d = kUsers; d <= kResources; ++d) {
    const std::string& path = options.dictionaries[static_cast<std::size_t>(d)];
    if (path.empty()) continue;
    const FileHandle in = open_input(path, error);
    if (!in) return fail(error);
    const long bad =
        read_code_dictionary(in.get(), kinds[d], names.texts[static_cast<std::size_t>(d)]);
    if (bad != 0) return fail(bad_line(path, bad, "not a dictionary line"));
  }

  const std::vector<const ReportedConcept*> chosen = select_concepts(concepts, options);
  if (!options.summary) {
    print_concepts(stdout, chosen, names, options.format);
  } else {
    Summary summary = summarize(chosen, options.top);
    const std::string users_path = options.dir + "/users_only.txt";
    if (const FileHandle in{std::fopen(users_path.c_str(), "r")}) {
      const long bad = count_users_file(in.get(), summary.users_file);
      if (bad != 0) return fail(bad_line(users_path, bad, "not a user line"));
    }
    print_summary(stdout, summary, names, options.format);
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) return fail("cannot write the output");
  return 0;
}

}  // namespace quadmine

int main(int argc, char** argv) { return quadmine::run_command(argc, argv); }

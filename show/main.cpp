// quadmine-show: prints the concepts of a run (quadri_concepts.txt) with the
// texts of the dictionaries written by quadmine-prepare, or a summary of them.
// It only reads: the result files are never changed.
//
// Exit status: 0 after printing (and after -h, --help and --version), 1 after
// any error (the command line, a file that cannot be opened or read, a line
// that is not in its file's format), with a message on standard error.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "formats/code_dictionary.h"
#include "formats/concept_file.h"
#include "show/command_line.h"
#include "show/listing.h"
#include "show/names.h"
#include "show/selection.h"
#include "show/summary.h"
#include "util/file_handle.h"
#include "util/status.h"
#include "util/version.h"

namespace quadmine {

namespace {

constexpr const char* kProgram = "quadmine-show";

int fail(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
  return 1;
}

Result<std::vector<ReportedConcept>> read_concepts(const ShowOptions& options) {
  const std::string path = options.dir + "/quadri_concepts.txt";
  const Result<FileHandle> in = open_for_reading(path);
  if (!in.ok()) return in.status();
  return read_concept_file(in.value().get(), path);
}

// The dictionaries given on the command line.
Result<Names> read_names(const ShowOptions& options) {
  const DictionaryKind kinds[] = {DictionaryKind::Tag, DictionaryKind::Tag,
                                  DictionaryKind::Resource};
  Names names;
  for (int d = kUsers; d <= kResources; ++d) {
    const std::string& path = options.dictionaries[static_cast<std::size_t>(d)];
    if (path.empty()) continue;
    const Result<FileHandle> in = open_for_reading(path);
    if (!in.ok()) return in.status();
    Result<CodeTexts> texts = read_code_dictionary(in.value().get(), path, kinds[d]);
    if (!texts.ok()) return texts.status();
    names.texts[static_cast<std::size_t>(d)] = std::move(texts.value());
  }
  return names;
}

// The summary of the chosen concepts, with the counts of users_only.txt when
// it can be opened.
Result<Summary> summary_of(const std::vector<const ReportedConcept*>& chosen,
                           const ShowOptions& options) {
  Summary summary = summarize(chosen, options.top);
  const std::string path = options.dir + "/users_only.txt";
  const Result<FileHandle> in = open_for_reading(path);
  if (!in.ok()) return summary;
  const Result<UsersFileCount> count = count_users_file(in.value().get(), path);
  if (!count.ok()) return count.status();
  summary.users_file = count.value();
  return summary;
}

// Prints the chosen concepts, or their summary.
Status show(const ShowOptions& options) {
  const Result<std::vector<ReportedConcept>> concepts = read_concepts(options);
  if (!concepts.ok()) return concepts.status();
  const Result<Names> names = read_names(options);
  if (!names.ok()) return names.status();
  const std::vector<const ReportedConcept*> chosen = select_concepts(concepts.value(), options);
  if (!options.summary) {
    print_concepts(stdout, chosen, names.value(), options.format);
    return {};
  }
  const Result<Summary> summary = summary_of(chosen, options);
  if (!summary.ok()) return summary.status();
  print_summary(stdout, summary.value(), names.value(), options.format);
  return {};
}

}  // namespace

int run_command(int argc, char** argv) {
  const Result<ShowOptions> options = parse_show_options(argc, argv);
  if (!options.ok()) return fail(options.message() + "\nTry 'quadmine-show --help'.");
  if (options->request == Request::Help) {
    std::fputs(kShowUsage, stdout);
    return 0;
  }
  if (options->request == Request::Version) {
    std::printf("%s %s\n", kProgram, project_version());
    return 0;
  }
  if (const Status shown = show(options.value()); !shown.ok()) return fail(shown.message());
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) return fail("cannot write the output");
  return 0;
}

}  // namespace quadmine

int main(int argc, char** argv) { return quadmine::run_command(argc, argv); }

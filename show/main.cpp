// quadmine-show: prints the concepts of a run (quadri_concepts.txt) with the
// names of the dictionaries written by quadmine-prepare, or a summary of them.
// It only reads: the result files are never changed.
//
// In file order (the default) the concepts are printed (or counted for the
// summary) as they are read, and reading stops once --limit concepts are
// taken; any other order reads the whole file first and keeps the concepts
// that pass the filters.
//
// Exit status: 0 after printing (and after -h, --help and --version), 1 after
// any error (the command line, a file that cannot be opened or read, a line
// that is not in its file's format, a value that names nothing, standard
// output that cannot be written), with a message on standard error.

#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "formats/base_dictionaries.h"
#include "formats/concept_file.h"
#include "show/command_line.h"
#include "show/listing.h"
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

// What standard error says about the dictionaries found by looking in the
// folder: those used, or the bases among which none was chosen.
std::string search_note(const DictionaryFiles& files, const ShowOptions& options) {
  std::string note;
  for (const std::string& base : files.candidates) {
    note += (note.empty() ? "dictionaries of several bases in " + options.dir + ": " : ", ") + base;
  }
  if (!note.empty()) return note + "; none used (choose one with --base)";
  if (!files.found) return note;
  for (int d = kUsers; d <= kResources; ++d) {
    const auto k = static_cast<std::size_t>(d);
    if (files.paths[k].empty() || !options.dictionaries[k].empty()) continue;
    note += (note.empty() ? "names from " : ", ") + files.paths[k];
  }
  return note;
}

// The dictionaries: those named by --users, --tags and --resources, the others
// those of --base or, without it, of the one base found in the folder. Sets
// `note` to what standard error should say about the search.
Result<Dictionaries> read_names(const ShowOptions& options, std::string& note) {
  DictionaryFiles files;
  const auto& named = options.dictionaries;
  if (named[kUsers].empty() || named[kTags].empty() || named[kResources].empty()) {
    Result<DictionaryFiles> found = find_dictionary_files(options.dir, options.base);
    if (!found.ok()) return found.status();
    files = std::move(found.value());
    note = search_note(files, options);
  }
  for (int d = kUsers; d <= kResources; ++d) {
    const auto k = static_cast<std::size_t>(d);
    if (!named[k].empty()) files.paths[k] = named[k];
  }
  return read_dictionaries(files);
}

// The summary of the concepts counted, with the counts of users_only.txt
// when it can be opened; printed.
Status print_summary_of(const SummaryCounter& counter, const ShowOptions& options,
                        const Dictionaries& names) {
  Summary summary = counter.finish(options.top);
  const std::string path = options.dir + "/users_only.txt";
  if (const Result<FileHandle> in = open_for_reading(path); in.ok()) {
    const Result<UsersFileCount> count = count_users_file(in.value().get(), path);
    if (!count.ok()) return count.status();
    summary.users_file = count.value();
  }
  return print_summary(stdout, summary, names, options.format, options.codes);
}

// File order: each concept is printed, or counted for the summary, as soon as
// it is read.
Status show_as_read(ConceptFileReader& reader, const ConceptFilter& filter,
                    const ShowOptions& options, const Dictionaries& names) {
  if (options.summary) {
    SummaryCounter counter;
    const Status scanned =
        scan_concepts(reader, filter, options.limit, [&counter](const ReportedConcept& c) {
          counter.add(c);
          return Status();
        });
    return scanned.ok() ? print_summary_of(counter, options, names) : scanned;
  }
  ConceptPrinter printer(stdout, names, options.format, options.codes);
  if (Status status = printer.begin(); !status.ok()) return status;
  const Status scanned =
      scan_concepts(reader, filter, options.limit,
                    [&printer](const ReportedConcept& c) { return printer.print(c); });
  return scanned.ok() ? printer.end() : scanned;
}

// Every other order: the chosen concepts are gathered, sorted and cut to the
// limit, then listed or summarised.
Status sort_and_show(ConceptFileReader& reader, const ConceptFilter& filter,
                     const ShowOptions& options, const Dictionaries& names) {
  std::vector<ReportedConcept> chosen;
  const Status scanned = scan_concepts(reader, filter, -1, [&chosen](const ReportedConcept& c) {
    chosen.push_back(c);
    return Status();
  });
  if (!scanned.ok()) return scanned;
  sort_concepts(chosen, options.sort);
  if (options.limit >= 0 && chosen.size() > static_cast<std::size_t>(options.limit)) {
    chosen.resize(static_cast<std::size_t>(options.limit));
  }
  if (options.summary) {
    SummaryCounter counter;
    for (const ReportedConcept& c : chosen) counter.add(c);
    return print_summary_of(counter, options, names);
  }
  ConceptPrinter printer(stdout, names, options.format, options.codes);
  Status status = printer.begin();
  for (std::size_t i = 0; status.ok() && i < chosen.size(); ++i) status = printer.print(chosen[i]);
  return status.ok() ? printer.end() : status;
}

// Prints the chosen concepts, or their summary.
Status show(const ShowOptions& options) {
  const std::string path = options.dir + "/quadri_concepts.txt";
  const Result<FileHandle> in = open_for_reading(path);
  if (!in.ok()) return in.status();
  std::string note;
  const Result<Dictionaries> names = read_names(options, note);
  if (!names.ok()) return names.status();
  if (!note.empty()) std::fprintf(stderr, "%s: %s\n", kProgram, note.c_str());
  const Result<ConceptFilter> filter = make_filter(options, names.value());
  if (!filter.ok()) return filter.status();
  ConceptFileReader reader(in.value().get(), path);
  if (options.sort == SortKey::File)
    return show_as_read(reader, filter.value(), options, names.value());
  return sort_and_show(reader, filter.value(), options, names.value());
}

}  // namespace

int run_command(int argc, char** argv) {
  const Result<ShowOptions> options = parse_show_options(argc, argv);
  if (!options.ok()) return fail(options.message() + "\nTry 'quadmine-show --help'.");
  if (options->request == Request::Help) {
    std::fputs(kShowUsage, stdout);
  } else if (options->request == Request::Version) {
    std::printf("%s %s\n", kProgram, project_version());
  } else if (const Status shown = show(options.value()); !shown.ok()) {
    return fail(shown.message());
  }
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    return fail(write_failure().message());
  }
  return 0;
}

}  // namespace quadmine

int main(int argc, char** argv) { return quadmine::run_command(argc, argv); }

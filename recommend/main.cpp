// quadmine-recommend: prints the recommendations of a run of quadmine -- for
// each user, the resources of its resource recommendation and the users of
// its user proposition -- ranked, filtered and cut as the options say, with
// the names of the dictionaries written by quadmine-prepare. It only reads:
// the result files are never changed.
//
// Exit status: 0 after printing (and after -h, --help and --version), 1 after
// any error (the command line, a result file that cannot be read or is not
// one of a run, a value that names no user, a base that cannot be read,
// standard output that cannot be written, memory) with a message on standard
// error, and 1 when a user asked for is in no reported concept (named on
// standard error after the lists of the others are printed).

#include <cerrno>
#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "evaluation/known_resources.h"
#include "evaluation/recommendation_lists.h"
#include "formats/base_dictionaries.h"
#include "recommend/asked_users.h"
#include "recommend/command_line.h"
#include "recommend/known_base.h"
#include "recommend/lists_printer.h"
#include "recommend/run_results.h"
#include "util/file_handle.h"
#include "util/standard_output.h"
#include "util/status.h"
#include "util/version.h"

namespace quadmine {

namespace {

constexpr const char* kProgram = "quadmine-recommend";

void say(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
}

int fail(const std::string& message) {
  say(message);
  return 1;
}

// What standard error says about the dictionaries found by looking in the
// folder: those used, or the bases among which none was chosen.
std::string search_note(const DictionaryFiles& files, const RecommendOptions& options) {
  std::string note;
  for (const std::string& base : files.candidates) {
    note += (note.empty() ? "dictionaries of several bases in " + options.dir + ": " : ", ") + base;
  }
  if (!note.empty()) return note + "; none used (choose one with --base)";
  if (!files.found) return note;
  const std::string* named[kDimensions] = {&options.users_names, nullptr, &options.resources_names,
                                           nullptr};
  for (const int d : {kUsers, kResources}) {
    const auto k = static_cast<std::size_t>(d);
    if (files.paths[k].empty() || !named[d]->empty()) continue;
    note += (note.empty() ? "names from " : ", ") + files.paths[k];
  }
  return note;
}

// The users and resources dictionaries: those of --users and --resources, the
// others those of --base or, without it, of the one base found in the folder.
// Sets `note` to what standard error should say about the search.
Result<Dictionaries> read_names(const RecommendOptions& options, std::string& note) {
  DictionaryFiles files;
  if (options.users_names.empty() || options.resources_names.empty()) {
    Result<DictionaryFiles> found = find_dictionary_files(options.dir, options.base);
    if (!found.ok()) return found.status();
    files = std::move(found.value());
    files.paths[kTags].clear();  // no tag is printed
    if (!options.base.empty() && files.paths[kUsers].empty() && files.paths[kResources].empty()) {
      return Status::error("no dictionary " + options.base + ".users or " + options.base +
                           ".resources");
    }
    note = search_note(files, options);
  }
  if (!options.users_names.empty()) files.paths[kUsers] = options.users_names;
  if (!options.resources_names.empty()) files.paths[kResources] = options.resources_names;
  return read_dictionaries(files);
}

// The resources each user has in the base of --exclude-known.
Result<KnownResources> read_known(const std::string& path) {
  const Result<FileHandle> in = open_for_reading(path);
  if (!in.ok()) return in.status();
  return read_known_resources(in->get(), path);
}

// Serves `users` and prints their lists.
Status print_lists(const RecommendOptions& o, const RunResults& run, const KnownResources* known,
                   const std::vector<ServedUser>& users, const Dictionaries& names) {
  RecommendationLists lists(run.reported, o.kind == ListKind::Users
                                              ? RecommendationLists::Lists::UsersOnly
                                              : RecommendationLists::Lists::Both);
  const ListOptions for_resources{o.rank, known, o.limit};
  const ListOptions for_users{o.rank, nullptr, o.limit};
  ListsPrinter printer(stdout, names, o.format, o.kind, o.codes);
  Status status = printer.begin();
  UserLists one;
  for (std::size_t i = 0; status.ok() && i < users.size(); ++i) {
    one.who = users[i];
    if (o.kind != ListKind::Users)
      lists.resources(one.who.user, one.who.d, for_resources, one.resources);
    if (o.kind != ListKind::Resources) lists.users(one.who.user, one.who.d, for_users, one.users);
    status = printer.print(one);
  }
  return status.ok() ? printer.end() : status;
}

// "user ann (17)" or "user 17".
std::string user_text(const Dictionaries& names, int code) {
  const std::string* name = names.name_of(kUsers, code);
  return "user " +
         (name != nullptr ? *name + " (" + std::to_string(code) + ")" : std::to_string(code));
}

// Prints the lists of the users asked for (every served user by default);
// `missing` gets a line for each user asked for that no reported concept
// holds.
Status recommend(const RecommendOptions& options, std::vector<std::string>& missing) {
  std::string note;
  const Result<Dictionaries> names = read_names(options, note);
  if (!names.ok()) return names.status();
  if (!note.empty()) say(note);
  const Result<std::vector<int>> codes = resolve_users(names.value(), options.users);
  if (!codes.ok()) return codes.status();
  const Result<RunResults> run = read_run_results(options.dir);
  if (!run.ok()) return run.status();
  std::optional<Result<KnownResources>> known;
  if (!options.known_base.empty()) {
    known.emplace(read_known(options.known_base));
    if (!known->ok()) return known->status();
  }
  AskedUsers asked;
  if (options.users.empty()) asked.found = run->served;
  if (!options.users.empty()) asked = find_asked(codes.value(), run->served);
  const Status printed = print_lists(options, run.value(), known ? &known->value() : nullptr,
                                     asked.found, names.value());
  if (!printed.ok()) return printed;
  for (const int code : asked.missing) {
    missing.push_back(user_text(names.value(), code) + " is in no reported concept (not in " +
                      options.dir + "/users_only.txt)");
  }
  return {};
}

int run_command(int argc, char** argv) {
  const Result<RecommendOptions> options = parse_recommend_options(argc, argv);
  if (!options.ok()) return fail(options.message() + "\nTry 'quadmine-recommend --help'.");
  std::vector<std::string> missing;
  if (options->request == Request::Help) {
    std::fputs(kRecommendUsage, stdout);
  } else if (options->request == Request::Version) {
    std::printf("%s %s\n", kProgram, project_version());
  } else if (const Status done = recommend(options.value(), missing); !done.ok()) {
    return fail(done.message());
  }
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) return fail(write_failure().message());
  for (const std::string& line : missing) say(line);
  return missing.empty() ? 0 : 1;
}

}  // namespace

}  // namespace quadmine

int main(int argc, char** argv) {
  try {
    return quadmine::run_command(argc, argv);
  } catch (const std::bad_alloc&) {
    return quadmine::fail("out of memory");
  }
}

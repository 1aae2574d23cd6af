#include "recommend/run_results.h"

#include <charconv>
#include <string_view>
#include <utility>

#include "formats/concept_file.h"
#include "text/line_reader.h"
#include "util/file_handle.h"

namespace quadmine {

namespace {

constexpr const char* kSetNames[kDimensions] = {"U", "T", "R", "D"};

// The line the report writes for `user` in a concept whose first D value is
// `d`, "USER D\n", into `out`.
void user_line(int user, int d, std::string& out) {
  char digits[12];
  out.clear();
  out.append(digits, std::to_chars(digits, digits + sizeof digits, user).ptr);
  out += ' ';
  out.append(digits, std::to_chars(digits, digits + sizeof digits, d).ptr);
  out += '\n';
}

}  // namespace

Result<std::vector<TriConcept>> read_reported_concepts(std::FILE* concepts,
                                                       const std::string& name) {
  ConceptFileReader reader(concepts, name);
  std::vector<TriConcept> reported;
  ReportedConcept c;
  for (;;) {
    const Result<bool> read = reader.next(c);
    if (!read.ok()) return read.status();
    if (!read.value()) return reported;
    for (int d = 0; d < kDimensions; ++d) {
      if (!c.sets[static_cast<std::size_t>(d)].empty()) continue;
      return Status::error(name + ": concept " + std::to_string(c.number) + " has an empty " +
                           kSetNames[d] + " set (not a report of quadmine)");
    }
    TriConcept& kept = reported.emplace_back();
    kept.us = c.sets[kUsers];
    kept.rs = c.sets[kResources];
    kept.ds.assign(1, c.sets[kDValues].front());
  }
}

Status check_users_file(std::FILE* users_only, const std::string& name,
                        const std::vector<TriConcept>& reported, const std::string& report) {
  TextLineReader lines;
  std::string_view line;
  long number = 0;
  std::string want;
  for (std::size_t c = 0; c < reported.size(); ++c) {
    for (const int user : reported[c].us) {
      if (!lines.next(users_only, line)) {
        if (std::ferror(users_only) != 0) return line_error(name, number + 1, "read error");
        return Status::error(name + ": ends before the users of concept " + std::to_string(c + 1) +
                             " of " + report);
      }
      ++number;
      user_line(user, reported[c].ds.front(), want);
      if (line == want) continue;
      return line_error(name, number,
                        "not the users of the concepts of " + report + " (expected '" +
                            want.substr(0, want.size() - 1) + "')");
    }
  }
  if (lines.next(users_only, line)) {
    return line_error(name, number + 1, "a line after the users of the concepts of " + report);
  }
  if (std::ferror(users_only) != 0) return line_error(name, number + 1, "read error");
  return {};
}

Result<RunResults> read_run_results(const std::string& dir) {
  const std::string report = dir + "/quadri_concepts.txt";
  const std::string users = dir + "/users_only.txt";
  const Result<FileHandle> concepts_in = open_for_reading(report);
  if (!concepts_in.ok()) return concepts_in.status();
  const Result<FileHandle> users_in = open_for_reading(users);
  if (!users_in.ok()) return users_in.status();
  RunResults results;
  Result<std::vector<TriConcept>> reported = read_reported_concepts(concepts_in->get(), report);
  if (!reported.ok()) return reported.status();
  results.reported = std::move(reported.value());
  const Status checked = check_users_file(users_in->get(), users, results.reported, report);
  if (!checked.ok()) return checked;
  std::rewind(users_in->get());
  Result<std::vector<ServedUser>> served = read_served_users(users_in->get(), users);
  if (!served.ok()) return served.status();
  results.served = std::move(served.value());
  return results;
}

}  // namespace quadmine

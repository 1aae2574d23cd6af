#include "recommend/command_line.h"

#include <map>
#include <string_view>

#include "formats/named_choice.h"
#include "text/scanner.h"

namespace quadmine {

const char* const kRecommendUsage =
    "Usage: quadmine-recommend [options]\n"
    "\n"
    "Prints the recommendations of a run of quadmine: for each user, the resources\n"
    "its resource recommendation lists and the users its user proposition lists.\n"
    "Reads quadri_concepts.txt and users_only.txt (never writes them). A user is\n"
    "served with the D value of its first line in users_only.txt:\n"
    "  resources  the resources of the concepts whose D set begins with that value\n"
    "             and whose U set does not hold the user, each once\n"
    "  users      the users of the concepts whose D set begins with that value,\n"
    "             each once, the user left out\n"
    "\n"
    "Options (also written --name=value):\n"
    "  --dir DIR                 folder of the result files (default: the current one)\n"
    "  --user U                  only user U (a name, or else a code); repeat for\n"
    "                            several. Default: every user of users_only.txt, in\n"
    "                            the order of their first line\n"
    "  --kind KIND               resources, users or both (default)\n"
    "  --rank RANK               first-seen (default: concept order, then set order)\n"
    "                            or support: resources by the summed user counts of\n"
    "                            the concepts that give them, users by the number of\n"
    "                            concepts that hold them; ties in first-seen order\n"
    "  --exclude-known BASE      drop the resources the user has in the base BASE\n"
    "                            (any tag, any D value)\n"
    "  --limit K                 at most K elements per list\n"
    "  --base BASE               names from BASE.users and BASE.resources (those that\n"
    "                            exist). Without it, the dictionaries of the one base\n"
    "                            whose NAME.users/.resources files are in DIR, if only\n"
    "                            one base has such files there (said on stderr)\n"
    "  --users FILE, --resources FILE\n"
    "                            the dictionary of that dimension, whatever --base says\n"
    "  --format FORMAT           text (default), tsv, csv (quoted as RFC 4180), json (an\n"
    "                            array) or jsonl (one object per user); JSON is valid\n"
    "                            UTF-8\n"
    "  --codes                   in text, each code beside its name: \"Muse (12)\"\n"
    "  -h, --help                this text\n"
    "  --version                 the version\n";

namespace {

const std::map<std::string_view, ListKind> kKinds = {
    {"resources", ListKind::Resources}, {"users", ListKind::Users}, {"both", ListKind::Both}};
const std::map<std::string_view, Rank> kRanks = {{"first-seen", Rank::FirstSeen},
                                                 {"support", Rank::Support}};
const std::map<std::string_view, RecommendFormat> kFormats = {
    {"text", RecommendFormat::Text},
    {"tsv", RecommendFormat::Tsv},
    {"csv", RecommendFormat::Csv},
    {"json", RecommendFormat::Json},
    {"jsonl", RecommendFormat::JsonLines}};

// The options whose values the line gives as texts, before they are checked.
struct Given {
  std::string kind, rank, limit, format;
};

void declare(OptionParser& parser, RecommendOptions& o, Given& g) {
  parser.value("--dir", o.dir);
  parser.values("--user", o.users);
  parser.value("--kind", g.kind);
  parser.value("--rank", g.rank);
  parser.value("--exclude-known", o.known_base);
  parser.value("--limit", g.limit);
  parser.value("--base", o.base);
  parser.value("--users", o.users_names);
  parser.value("--resources", o.resources_names);
  parser.value("--format", g.format);
  parser.flag("--codes", o.codes);
}

// A limit: a whole number from 0 in the int range.
bool parse_limit(std::string_view text, std::size_t& out) {
  TextScanner scan(text);
  int value = 0;
  if (!scan.number(value) || !scan.only_space_left() || value < 0) return false;
  out = static_cast<std::size_t>(value);
  return true;
}

Status read_values(const OptionParser& parser, const Given& g, RecommendOptions& o) {
  const char* const paths[] = {"--dir", "--exclude-known", "--base", "--users", "--resources"};
  const std::string* const values[] = {&o.dir, &o.known_base, &o.base, &o.users_names,
                                       &o.resources_names};
  for (std::size_t k = 0; k < 5; ++k) {
    if (parser.given(paths[k]) && values[k]->empty()) return bad_value("", paths[k], "a path");
  }
  if (parser.given("--kind") && !pick(kKinds, g.kind, o.kind)) {
    return bad_value(g.kind, "--kind", "resources, users or both");
  }
  if (parser.given("--rank") && !pick(kRanks, g.rank, o.rank)) {
    return bad_value(g.rank, "--rank", "first-seen or support");
  }
  if (parser.given("--limit") && !parse_limit(g.limit, o.limit)) {
    return bad_value(g.limit, "--limit", "a whole number from 0");
  }
  if (parser.given("--format") && !pick(kFormats, g.format, o.format)) {
    return bad_value(g.format, "--format", "text, tsv, csv, json or jsonl");
  }
  return {};
}

}  // namespace

Result<RecommendOptions> parse_recommend_options(int argc, const char* const* argv) {
  return parse_command_line<RecommendOptions, Given>(argc, argv, declare, read_values);
}

}  // namespace quadmine

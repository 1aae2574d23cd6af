// The command line of quadmine-recommend:
//
//   quadmine-recommend [--dir DIR] [--user U]... [--kind resources|users|both]
//                      [--rank first-seen|support] [--exclude-known BASE]
//                      [--limit K] [--base BASE] [--users FILE] [--resources FILE]
//                      [--format text|tsv|csv|json|jsonl] [--codes]
//   quadmine-recommend -h | --help | --version
//
// The line is read as every command beside quadmine reads its own
// (cli/option_parser.h).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/option_parser.h"
#include "evaluation/recommendation_lists.h"
#include "util/status.h"

namespace quadmine {

// --kind: the lists printed for each user.
enum class ListKind { Resources, Users, Both };
// --format.
enum class RecommendFormat { Text, Tsv, Csv, Json, JsonLines };

// Everything the command line says.
struct RecommendOptions {
  Request request = Request::Run;  // the rest is filled only for Run
  std::string dir = ".";
  std::vector<std::string> users;  // --user values, names or codes; empty: every user
  ListKind kind = ListKind::Both;
  Rank rank = Rank::FirstSeen;
  std::string known_base;  // --exclude-known; empty: nothing dropped
  std::size_t limit = kNoLimit;
  std::string base;             // --base: names from its dictionaries; empty: look in dir
  std::string users_names;      // --users FILE
  std::string resources_names;  // --resources FILE
  RecommendFormat format = RecommendFormat::Text;
  bool codes = false;
};

// The options of the arguments (argv[0], the program, included). Fails with a
// one-line reason on an unknown option, a word that is not an option, or a
// bad value.
Result<RecommendOptions> parse_recommend_options(int argc, const char* const* argv);

// The text printed by --help.
extern const char* const kRecommendUsage;

}  // namespace quadmine

// The command line of quadmine-show:
//
//   quadmine-show [--dir DIR] [--base BASE] [--users FILE] [--tags FILE]
//                 [--resources FILE] [--user VALUE]... [--tag VALUE]...
//                 [--resource VALUE]... [--d VALUE]...
//                 [--min-users N] [--min-tags N] [--min-resources N] [--min-d N]
//                 [--sort file|size|users|tags|resources|d] [--limit N]
//                 [--summary [--top N]] [--format text|tsv|csv|json|jsonl] [--codes]
//   quadmine-show -h | --help | --version
//
// The line is read as every command beside quadmine reads its own
// (cli/option_parser.h).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "cli/option_parser.h"
#include "formats/dimension.h"
#include "util/status.h"

namespace quadmine {

// --sort: file order, or largest first by size or by one set's size.
enum class SortKey { File, Size, Users, Tags, Resources, DValues };
// --format.
enum class Format { Text, Tsv, Csv, Json, JsonLines };

// Everything the command line says.
struct ShowOptions {
  Request request = Request::Run;  // the rest is filled only for Run
  std::string dir = ".";
  std::string base;                                   // --base; empty: look in dir
  std::array<std::string, kDimensions> dictionaries;  // by Dimension; D has none
  // --user, --tag, --resource, --d: the values asked for, names or codes.
  std::array<std::vector<std::string>, kDimensions> wanted;
  std::array<long, kDimensions> min_size = {0, 0, 0, 0};
  SortKey sort = SortKey::File;
  long limit = -1;  // -1: no limit
  bool summary = false;
  long top = 10;
  Format format = Format::Text;
  bool codes = false;
};

// The options of the arguments (argv[0], the program, included). Fails with a
// one-line reason on an unknown option or a bad value.
Result<ShowOptions> parse_show_options(int argc, const char* const* argv);

// The text printed by --help.
extern const char* const kShowUsage;

}  // namespace quadmine

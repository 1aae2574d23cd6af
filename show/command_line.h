// The command line of quadmine-show:
//
//   quadmine-show [--dir DIR] [--users FILE] [--tags FILE] [--resources FILE]
//                 [--min-users N] [--min-tags N] [--min-resources N] [--min-d N]
//                 [--sort file|size|users|tags|resources|d] [--limit N]
//                 [--summary [--top N]] [--format text|tsv|json]
//
// Options may also be written --name=value.
#pragma once

#include <array>
#include <string>

#include "formats/concept_file.h"

namespace quadmine {

// --sort: file order, or largest first by size or by one set's size.
enum class SortKey { File, Size, Users, Tags, Resources, DValues };
// --format.
enum class Format { Text, Tsv, Json };

// Everything the command line says.
struct ShowOptions {
  std::string dir = ".";
  std::array<std::string, kDimensions> dictionaries;  // by Dimension; D has none
  std::array<long, kDimensions> min_size = {0, 0, 0, 0};
  SortKey sort = SortKey::File;
  long limit = -1;  // -1: no limit
  bool summary = false;
  long top = 10;
  Format format = Format::Text;
  bool help = false;
};

// Fills `options` from the arguments (program name excluded). Returns false
// with a one-line reason in `error` on an unknown option or a bad value.
bool parse_show_options(int argc, const char* const* argv, ShowOptions& options,
                        std::string& error);

// The text printed by --help.
extern const char* const kShowUsage;

}  // namespace quadmine

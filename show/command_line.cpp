#include "show/command_line.h"

#include <map>
#include <string_view>

#include "formats/named_choice.h"
#include "text/scanner.h"

namespace quadmine {

const char* const kShowUsage =
    "Usage: quadmine-show [options]\n"
    "\n"
    "Prints the concepts found by quadmine (quadri_concepts.txt, read only), with the\n"
    "texts of the dictionaries written by quadmine-prepare in place of codes.\n"
    "\n"
    "  --dir DIR                 folder of the result files (default: the current one)\n"
    "  --users FILE, --tags FILE, --resources FILE\n"
    "                            dictionaries (BASE.users, BASE.tags, BASE.resources);\n"
    "                            codes are printed where none is given or a code is missing\n"
    "  --min-users N, --min-tags N, --min-resources N, --min-d N\n"
    "                            only concepts with at least N elements in that set\n"
    "  --sort KEY                file (default), size (users x tags x resources x D values),\n"
    "                            users, tags, resources or d: largest first, ties in file order\n"
    "  --limit N                 at most N concepts\n"
    "  --summary                 instead of the concepts: their number, the sizes of their\n"
    "                            sets per dimension and the most frequent elements\n"
    "  --top N                   elements listed per dimension by --summary (default 10)\n"
    "  --format text|tsv|json    aligned text (default), tab-separated or JSON\n"
    "  --help                    this text\n";

namespace {

bool parse_count(std::string_view text, long& out) {
  TextScanner scan(text);
  int value = 0;
  if (!scan.number(value) || !scan.only_space_left() || value < 0) return false;
  out = value;
  return true;
}

}  // namespace

bool parse_show_options(int argc, const char* const* argv, ShowOptions& o, std::string& error) {
  const std::map<std::string_view, std::string*> texts = {
      {"--dir", &o.dir},
      {"--users", &o.dictionaries[kUsers]},
      {"--tags", &o.dictionaries[kTags]},
      {"--resources", &o.dictionaries[kResources]}};
  const std::map<std::string_view, long*> counts = {{"--min-users", &o.min_size[kUsers]},
                                                    {"--min-tags", &o.min_size[kTags]},
                                                    {"--min-resources", &o.min_size[kResources]},
                                                    {"--min-d", &o.min_size[kDValues]},
                                                    {"--limit", &o.limit},
                                                    {"--top", &o.top}};
  static const std::map<std::string_view, SortKey> kSorts = {
      {"file", SortKey::File}, {"size", SortKey::Size},           {"users", SortKey::Users},
      {"tags", SortKey::Tags}, {"resources", SortKey::Resources}, {"d", SortKey::DValues}};
  static const std::map<std::string_view, Format> kFormats = {
      {"text", Format::Text}, {"tsv", Format::Tsv}, {"json", Format::Json}};

  for (int i = 0; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::string_view value;
    const std::size_t eq = arg.find('=');
    const bool inline_value = arg.rfind("--", 0) == 0 && eq != std::string_view::npos;
    if (inline_value) {
      value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
    if (arg == "--help") {
      o.help = true;
      return true;
    }
    if (arg == "--summary") {
      o.summary = true;
      continue;
    }
    const bool known =
        texts.count(arg) != 0 || counts.count(arg) != 0 || arg == "--sort" || arg == "--format";
    if (!known) {
      error = "unknown argument " + std::string(arg);
      return false;
    }
    if (!inline_value) {
      if (i + 1 >= argc) {
        error = "option " + std::string(arg) + " needs a value";
        return false;
      }
      value = argv[++i];
    }
    bool good = true;
    if (const auto t = texts.find(arg); t != texts.end()) {
      *t->second = value;
    } else if (const auto c = counts.find(arg); c != counts.end()) {
      good = parse_count(value, *c->second);
    } else if (arg == "--sort") {
      good = pick(kSorts, value, o.sort);
    } else {
      good = pick(kFormats, value, o.format);
    }
    if (!good) {
      error = "bad value '" + std::string(value) + "' for " + std::string(arg);
      return false;
    }
  }
  return true;
}

}  // namespace quadmine

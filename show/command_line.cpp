#include "show/command_line.h"

#include <map>
#include <string_view>
#include <utility>

#include "formats/named_choice.h"
#include "text/scanner.h"

namespace quadmine {

const char* const kShowUsage =
    "Usage: quadmine-show [options]\n"
    "\n"
    "Prints the concepts found by quadmine (quadri_concepts.txt, read only), with the\n"
    "names of the dictionaries written by quadmine-prepare in place of codes.\n"
    "\n"
    "Options (also written --name=value):\n"
    "  --dir DIR                 folder of the result files (default: the current one)\n"
    "  --base BASE               names from BASE.users, BASE.tags and BASE.resources (those\n"
    "                            that exist). Without it, the dictionaries of the one base\n"
    "                            whose NAME.users/.tags/.resources files are in DIR, if\n"
    "                            only one base has such files there (said on stderr)\n"
    "  --users FILE, --tags FILE, --resources FILE\n"
    "                            the dictionary of that dimension, whatever --base says;\n"
    "                            codes are printed where there is none or a code lacks a name\n"
    "  --user V, --tag V, --resource V, --d V\n"
    "                            only concepts holding V (a name, or else a code); repeat\n"
    "                            for any of several values; a concept must satisfy every\n"
    "                            dimension given\n"
    "  --min-users N, --min-tags N, --min-resources N, --min-d N\n"
    "                            only concepts with at least N elements in that set\n"
    "  --sort KEY                file (default), size (users x tags x resources x D values),\n"
    "                            users, tags, resources or d: largest first, ties in file order\n"
    "  --limit N                 at most N concepts (in file order, reading stops there)\n"
    "  --summary                 instead of the concepts: their number, the sizes of their\n"
    "                            sets per dimension and the most frequent elements\n"
    "  --top N                   elements listed per dimension by --summary (default 10)\n"
    "  --format FORMAT           text (default), tsv, csv (quoted as RFC 4180), json (an\n"
    "                            array) or jsonl (one object per line); JSON is valid UTF-8\n"
    "  --codes                   each code beside its name: \"rock (12)\" in text, columns\n"
    "                            user_codes, tag_codes, resource_codes in tsv and csv (JSON\n"
    "                            always holds the codes)\n"
    "  -h, --help                this text\n"
    "  --version                 the version\n";

namespace {

const std::map<std::string_view, SortKey> kSorts = {
    {"file", SortKey::File}, {"size", SortKey::Size},           {"users", SortKey::Users},
    {"tags", SortKey::Tags}, {"resources", SortKey::Resources}, {"d", SortKey::DValues}};
const std::map<std::string_view, Format> kFormats = {{"text", Format::Text},
                                                     {"tsv", Format::Tsv},
                                                     {"csv", Format::Csv},
                                                     {"json", Format::Json},
                                                     {"jsonl", Format::JsonLines}};
constexpr const char* kDictionaryOptions[kDimensions] = {"--users", "--tags", "--resources",
                                                         nullptr};
constexpr const char* kElementOptions[kDimensions] = {"--user", "--tag", "--resource", "--d"};
constexpr const char* kCountOptions[] = {"--min-users", "--min-tags", "--min-resources",
                                         "--min-d",     "--limit",    "--top"};
constexpr int kCounts = 6;

// The options whose values the line gives as texts, before they are checked.
struct Given {
  std::string counts[kCounts];  // as kCountOptions
  std::string sort, format;
};

long* count_target(ShowOptions& o, int k) {
  long* const targets[kCounts] = {
      &o.min_size[kUsers],   &o.min_size[kTags], &o.min_size[kResources],
      &o.min_size[kDValues], &o.limit,           &o.top};
  return targets[k];
}

void declare(OptionParser& parser, ShowOptions& o, Given& g) {
  parser.value("--dir", o.dir);
  parser.value("--base", o.base);
  for (int d = kUsers; d <= kResources; ++d) {
    parser.value(kDictionaryOptions[d], o.dictionaries[static_cast<std::size_t>(d)]);
  }
  for (int d = 0; d < kDimensions; ++d) {
    parser.values(kElementOptions[d], o.wanted[static_cast<std::size_t>(d)]);
  }
  for (int k = 0; k < kCounts; ++k) parser.value(kCountOptions[k], g.counts[k]);
  parser.value("--sort", g.sort);
  parser.value("--format", g.format);
  parser.flag("--summary", o.summary);
  parser.flag("--codes", o.codes);
}

// A count: a whole number from 0 in the int range.
bool parse_count(std::string_view text, long& out) {
  TextScanner scan(text);
  int value = 0;
  if (!scan.number(value) || !scan.only_space_left() || value < 0) return false;
  out = value;
  return true;
}

Status bad_value(const std::string& value, const char* option) {
  return Status::error("bad value '" + value + "' for " + option);
}

Status read_values(const OptionParser& parser, const Given& g, ShowOptions& o) {
  if (o.dir.empty()) return bad_value("", "--dir");
  if (parser.given("--base") && o.base.empty()) return bad_value("", "--base");
  for (int k = 0; k < kCounts; ++k) {
    if (parser.given(kCountOptions[k]) && !parse_count(g.counts[k], *count_target(o, k))) {
      return bad_value(g.counts[k], kCountOptions[k]);
    }
  }
  if (parser.given("--sort") && !pick(kSorts, g.sort, o.sort)) return bad_value(g.sort, "--sort");
  if (parser.given("--format") && !pick(kFormats, g.format, o.format)) {
    return bad_value(g.format, "--format");
  }
  return {};
}

}  // namespace

Result<ShowOptions> parse_show_options(int argc, const char* const* argv) {
  ShowOptions o;
  Given g;
  OptionParser parser;
  declare(parser, o, g);
  const Result<Request> request = parser.parse(argc, argv);
  if (!request.ok()) return request.status();
  o.request = request.value();
  if (o.request != Request::Run) return o;
  if (Status status = read_values(parser, g, o); !status.ok()) return status;
  return o;
}

}  // namespace quadmine

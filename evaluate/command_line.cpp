#include "evaluate/command_line.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "formats/named_choice.h"
#include "text/scanner.h"

namespace quadmine {

const char* const kEvaluateUsage =
    "Usage: quadmine-evaluate BASE SPLIT MINSUPP_U MINSUPP_T MINSUPP_R MINSUPP_D [options]\n"
    "\n"
    "Measures how well the recommendations of quadmine predict the future. The lines\n"
    "of BASE with d < SPLIT are the training part, the others the test part. The\n"
    "training part is mined in memory exactly as 'quadmine TRAINING MINSUPP_U\n"
    "MINSUPP_T MINSUPP_R MINSUPP_D' would mine it (no file is written); then every\n"
    "user of its users_only.txt that has a test line is served, with the D value of\n"
    "its first line there, by five methods:\n"
    "  first-seen      the resource recommendation of quadmine, in its order\n"
    "  support         the same resources by decreasing support (the summed user\n"
    "                  counts of the concepts holding them), ties in first-seen order\n"
    "  first-seen-new, support-new\n"
    "                  the same without the resources of the user's training lines\n"
    "  popular-new     the training resources by decreasing number of users, ties\n"
    "                  by smaller code, without the user's own\n"
    "For each method and list length k it prints precision (hits in the first k / k),\n"
    "recall (hits / the user's distinct test resources) and hit rate (share of users\n"
    "with a hit), averaged over the users, and coverage (distinct resources in all\n"
    "first-k lists / distinct training resources).\n"
    "\n"
    "Options (also written --name=value):\n"
    "  --k K,K,...             list lengths (default 5,10,20)\n"
    "  --format text|tsv|json  aligned text (default), tab-separated or JSON\n"
    "  -h, --help              this text\n"
    "  --version               the version\n";

namespace {

const std::map<std::string_view, EvaluateFormat> kFormats = {
    {"text", EvaluateFormat::Text}, {"tsv", EvaluateFormat::Tsv}, {"json", EvaluateFormat::Json}};
constexpr const char* kThresholdNames[] = {"MINSUPP_U", "MINSUPP_T", "MINSUPP_R", "MINSUPP_D"};

// A whole number in the int range, with nothing else around it but blanks.
bool whole_number(std::string_view text, int& out) {
  TextScanner scan(text);
  return scan.number(out) && scan.only_space_left();
}

Status read_words(const std::vector<std::string>& words, EvaluateOptions& o) {
  if (words.size() != 6) {
    return Status::error("give BASE SPLIT MINSUPP_U MINSUPP_T MINSUPP_R MINSUPP_D (" +
                         std::to_string(words.size()) + " words given)");
  }
  o.base = words[0];
  if (!whole_number(words[1], o.split)) {
    return Status::error("bad SPLIT '" + words[1] + "' (a whole number)");
  }
  int* const thresholds[] = {&o.thresholds.u, &o.thresholds.t, &o.thresholds.r, &o.thresholds.d};
  for (std::size_t k = 0; k < 4; ++k) {
    const std::string& word = words[k + 2];
    if (!whole_number(word, *thresholds[k]) || *thresholds[k] < 1) {
      return Status::error("bad " + std::string(kThresholdNames[k]) + " '" + word +
                           "' (a whole number, at least 1)");
    }
  }
  return {};
}

}  // namespace

bool parse_ks(const std::string& text, std::vector<std::size_t>& out) {
  std::vector<std::size_t> ks;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    int k = 0;
    const std::string_view part = std::string_view(text).substr(start, comma - start);
    if (part.empty() || part.find_first_not_of("0123456789") != std::string_view::npos ||
        !whole_number(part, k) || k < 1) {
      return false;
    }
    if (std::find(ks.begin(), ks.end(), static_cast<std::size_t>(k)) != ks.end()) return false;
    ks.push_back(static_cast<std::size_t>(k));
    if (comma == text.size()) break;
    start = comma + 1;
  }
  out = ks;
  return true;
}

Result<EvaluateOptions> parse_evaluate_options(int argc, const char* const* argv) {
  EvaluateOptions o;
  std::vector<std::string> words;
  std::string ks, format;
  OptionParser parser;
  parser.positionals(words);
  parser.value("--k", ks);
  parser.value("--format", format);
  const Result<Request> request = parser.parse(argc, argv);
  if (!request.ok()) return request.status();
  o.request = request.value();
  if (o.request != Request::Run) return o;
  if (Status status = read_words(words, o); !status.ok()) return status;
  if (parser.given("--k") && !parse_ks(ks, o.ks)) {
    return Status::error("bad value '" + ks +
                         "' for --k (list lengths from 1, separated by "
                         "commas, each once)");
  }
  if (parser.given("--format") && !pick(kFormats, format, o.format)) {
    return Status::error("bad value '" + format + "' for --format (text, tsv or json)");
  }
  return o;
}

}  // namespace quadmine

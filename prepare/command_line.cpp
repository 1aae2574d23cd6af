#include "prepare/command_line.h"

#include <map>
#include <string_view>
#include <vector>

#include "formats/named_choice.h"

namespace quadmine {

const char* const kPrepareUsage =
    "Usage: quadmine-prepare RAW BASE --user COL --tag COL --resource COL D-SOURCE [options]\n"
    "\n"
    "Turns RAW, a delimited text file of tagging events, into BASE, a base for quadmine:\n"
    "distinct 'user tag resource d' lines sorted by resource, d, tag and user.\n"
    "COL is a header name or a column number from 1.\n"
    "\n"
    "D-SOURCE, one of:\n"
    "  --d COL                      an integer column used as it is\n"
    "  --time COL --period P        a Unix time (UTC, negative before 1970)\n"
    "      [--unit s|ms]            in seconds (default) or milliseconds\n"
    "  --year COL [--month COL [--day COL]] [--period P]\n"
    "                               calendar columns; the period defaults to the finest given\n"
    "  P is year (2009), month (200904) or day (20090415).\n"
    "\n"
    "Options:\n"
    "  --separator tab|comma|blanks  default: detected from the first line\n"
    "  --header, --no-header         default: a header when a COL is a name or when the\n"
    "                                first line's D columns are not numbers\n"
    "  --help                        this text\n"
    "\n"
    "Integer identifiers are kept. A user, tag or resource column holding other text is\n"
    "coded 1, 2, ... in order of first appearance, and its dictionary is written to\n"
    "BASE.users, BASE.tags or BASE.resources (texts percent-encoded: blanks, control\n"
    "bytes and '%' as %XX). Every file is written under a temporary name and renamed.\n";

namespace {

const std::map<std::string_view, Period> kPeriods = {
    {"year", Period::Year}, {"month", Period::Month}, {"day", Period::Day}};
const std::map<std::string_view, Separator> kSeparators = {
    {"tab", Separator::Tab}, {"comma", Separator::Comma}, {"blanks", Separator::Blanks}};

// Checks the combination of D options and settles the period.
bool check_d_source(PrepareOptions& o, bool period_given, bool unit_given, std::string& error) {
  const int sources = (o.d.empty() ? 0 : 1) + (o.time.empty() ? 0 : 1) + (o.year.empty() ? 0 : 1);
  if (sources != 1) {
    error = "give exactly one of --d, --time and --year";
    return false;
  }
  if (o.year.empty() && (!o.month.empty() || !o.day.empty())) {
    error = "--month and --day go with --year";
    return false;
  }
  if (unit_given && o.time.empty()) {
    error = "--unit goes with --time";
    return false;
  }
  if (!o.d.empty()) {
    o.d_source = DSource::Column;
    if (period_given) error = "--period does not go with --d";
    return !period_given;
  }
  if (!o.time.empty()) {
    o.d_source = DSource::Time;
    if (!period_given) error = "--time needs --period year|month|day";
    return period_given;
  }
  o.d_source = DSource::Calendar;
  if (!o.day.empty() && o.month.empty()) {
    error = "--day needs --month";
    return false;
  }
  const Period finest = !o.day.empty()     ? Period::Day
                        : !o.month.empty() ? Period::Month
                                           : Period::Year;
  if (!period_given) o.period = finest;
  if (o.period > finest) {
    error = "--period is finer than the calendar columns given";
    return false;
  }
  return true;
}

}  // namespace

bool parse_prepare_options(int argc, const char* const* argv, PrepareOptions& o,
                           std::string& error) {
  std::map<std::string_view, std::string*> columns = {
      {"--user", &o.user}, {"--tag", &o.tag},   {"--resource", &o.resource}, {"--d", &o.d},
      {"--time", &o.time}, {"--year", &o.year}, {"--month", &o.month},       {"--day", &o.day}};
  std::vector<std::string> positional;
  bool period_given = false;
  bool unit_given = false;
  for (int i = 0; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::string_view value;
    bool has_value = false;
    if (const std::size_t eq = arg.find('=');
        arg.rfind("--", 0) == 0 && eq != std::string_view::npos) {
      value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
      has_value = true;
    }
    if (arg == "--help") {
      o.help = true;
      return true;
    }
    if (arg == "--header" || arg == "--no-header") {
      o.header = arg == "--header" ? HeaderChoice::Yes : HeaderChoice::No;
      continue;
    }
    if (arg.rfind("--", 0) != 0) {
      positional.emplace_back(arg);
      continue;
    }
    if (!has_value) {
      if (i + 1 >= argc) {
        error = "option " + std::string(arg) + " needs a value";
        return false;
      }
      value = argv[++i];
    }
    if (const auto it = columns.find(arg); it != columns.end()) {
      const bool number = value.find_first_not_of("0123456789") == std::string_view::npos;
      int column = 0;
      if (value.empty() || (number && (!whole_int(value, column) || column == 0))) {
        error = "bad column '" + std::string(value) + "' for " + std::string(arg);
        return false;
      }
      *it->second = value;
    } else if (arg == "--period") {
      period_given = true;
      if (!pick(kPeriods, value, o.period)) {
        error = "bad period '" + std::string(value) + "' (year, month or day)";
        return false;
      }
    } else if (arg == "--unit") {
      unit_given = true;
      if (value != "s" && value != "ms") {
        error = "bad unit '" + std::string(value) + "' (s or ms)";
        return false;
      }
      o.milliseconds = value == "ms";
    } else if (arg == "--separator") {
      o.separator_given = true;
      if (!pick(kSeparators, value, o.separator)) {
        error = "bad separator '" + std::string(value) + "' (tab, comma or blanks)";
        return false;
      }
    } else {
      error = "unknown option " + std::string(arg);
      return false;
    }
  }
  if (positional.size() != 2) {
    error = "give the raw file and the base to write";
    return false;
  }
  o.raw = positional[0];
  o.base = positional[1];
  if (o.user.empty() || o.tag.empty() || o.resource.empty()) {
    error = "--user, --tag and --resource are required";
    return false;
  }
  return check_d_source(o, period_given, unit_given, error);
}

}  // namespace quadmine

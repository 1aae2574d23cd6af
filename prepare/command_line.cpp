#include "prepare/command_line.h"

#include <array>
#include <map>
#include <string_view>
#include <utility>
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
    "Options (also written --name=value):\n"
    "  --separator tab|comma|blanks  default: detected from the first line\n"
    "  --header, --no-header         default: a header when a COL is a name or when the\n"
    "                                first line's D columns are not numbers\n"
    "  -h, --help                    this text\n"
    "  --version                     the version\n"
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

// The options whose values the line gives as texts, before they are checked.
struct Given {
  std::vector<std::string> files;
  std::string period, unit, separator;
  bool header = false;
};

std::array<std::pair<const char*, std::string*>, 8> column_options(PrepareOptions& o) {
  return {{{"--user", &o.user},
           {"--tag", &o.tag},
           {"--resource", &o.resource},
           {"--d", &o.d},
           {"--time", &o.time},
           {"--year", &o.year},
           {"--month", &o.month},
           {"--day", &o.day}}};
}

void declare(OptionParser& parser, PrepareOptions& o, Given& g) {
  parser.positionals(g.files);
  for (const auto& [name, column] : column_options(o)) parser.value(name, *column);
  parser.value("--period", g.period);
  parser.value("--unit", g.unit);
  parser.value("--separator", g.separator);
  parser.flag("--header,!--no-header", g.header);
}

// Every column given is a name or a number from 1.
Status check_columns(const OptionParser& parser, PrepareOptions& o) {
  for (const auto& [name, column] : column_options(o)) {
    if (!parser.given(name)) continue;
    const std::string& value = *column;
    const bool number = value.find_first_not_of("0123456789") == std::string::npos;
    int index = 0;
    if (value.empty() || (number && (!whole_int(value, index) || index == 0))) {
      return Status::error("bad column '" + value + "' for " + name);
    }
  }
  return {};
}

Status read_choices(const OptionParser& parser, const Given& g, PrepareOptions& o) {
  if (parser.given("--period") && !pick(kPeriods, g.period, o.period)) {
    return Status::error("bad period '" + g.period + "' (year, month or day)");
  }
  if (parser.given("--unit") && g.unit != "s" && g.unit != "ms") {
    return Status::error("bad unit '" + g.unit + "' (s or ms)");
  }
  o.milliseconds = g.unit == "ms";
  o.separator_given = parser.given("--separator");
  if (o.separator_given && !pick(kSeparators, g.separator, o.separator)) {
    return Status::error("bad separator '" + g.separator + "' (tab, comma or blanks)");
  }
  if (parser.given("--header")) o.header = g.header ? HeaderChoice::Yes : HeaderChoice::No;
  return {};
}

// The calendar columns of --year: the period defaults to the finest given.
Status settle_calendar(PrepareOptions& o, bool period_given) {
  o.d_source = DSource::Calendar;
  if (!o.day.empty() && o.month.empty()) return Status::error("--day needs --month");
  const Period finest = !o.day.empty()     ? Period::Day
                        : !o.month.empty() ? Period::Month
                                           : Period::Year;
  if (!period_given) o.period = finest;
  if (o.period > finest) return Status::error("--period is finer than the calendar columns given");
  return {};
}

// Checks the combination of D options and settles the period.
Status check_d_source(PrepareOptions& o, bool period_given, bool unit_given) {
  const int sources = (o.d.empty() ? 0 : 1) + (o.time.empty() ? 0 : 1) + (o.year.empty() ? 0 : 1);
  if (sources != 1) return Status::error("give exactly one of --d, --time and --year");
  if (o.year.empty() && (!o.month.empty() || !o.day.empty())) {
    return Status::error("--month and --day go with --year");
  }
  if (unit_given && o.time.empty()) return Status::error("--unit goes with --time");
  if (!o.d.empty()) {
    o.d_source = DSource::Column;
    return period_given ? Status::error("--period does not go with --d") : Status();
  }
  if (!o.time.empty()) {
    o.d_source = DSource::Time;
    return period_given ? Status() : Status::error("--time needs --period year|month|day");
  }
  return settle_calendar(o, period_given);
}

}  // namespace

Result<PrepareOptions> parse_prepare_options(int argc, const char* const* argv) {
  PrepareOptions o;
  Given g;
  OptionParser parser;
  declare(parser, o, g);
  const Result<Request> request = parser.parse(argc, argv);
  if (!request.ok()) return request.status();
  o.request = request.value();
  if (o.request != Request::Run) return o;
  Status status = check_columns(parser, o);
  if (status.ok()) status = read_choices(parser, g, o);
  if (!status.ok()) return status;
  if (g.files.size() != 2) return Status::error("give the raw file and the base to write");
  o.raw = g.files[0];
  o.base = g.files[1];
  if (o.user.empty() || o.tag.empty() || o.resource.empty()) {
    return Status::error("--user, --tag and --resource are required");
  }
  status = check_d_source(o, parser.given("--period"), parser.given("--unit"));
  if (!status.ok()) return status;
  return o;
}

}  // namespace quadmine

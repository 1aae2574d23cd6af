#include "prepare/command_line.h"

#include <charconv>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "formats/named_choice.h"

namespace quadmine {

const char* const kPrepareUsage =
    "Usage: quadmine-prepare RAW BASE --user COL --tag COL --resource COL D-SOURCE [options]\n"
    "\n"
    "Turns RAW, a delimited text file of tagging events ('-': standard input), into\n"
    "BASE, a base for quadmine: distinct 'user tag resource d' lines sorted by\n"
    "resource, d, tag and user. COL is a header name or a column number from 1.\n"
    "\n"
    "D-SOURCE, one of:\n"
    "  --d COL                      an integer column used as it is\n"
    "  --time COL --period P        a Unix time (UTC, negative before 1970) or an\n"
    "      [--unit s|ms]            ISO 8601 date or date-time (2005-12-15,\n"
    "                               2005-12-15 14:32:00, 2005-12-15T14:32:00+02:00,\n"
    "                               taken in UTC); numbers in seconds (default) or ms\n"
    "  --year COL [--month COL [--day COL]] [--period P]\n"
    "                               calendar columns; the period defaults to the finest\n"
    "  P is year (2009), month (200904) or day (20090415); years run from 1000 to 9999.\n"
    "\n"
    "Names, each a delimited file with a header, the id in its column 1 and the name\n"
    "in its column 2 unless other columns are given:\n"
    "  --user-names FILE [--user-names-id COL] [--user-names-name COL]\n"
    "  --tag-names FILE [--tag-names-id COL] [--tag-names-name COL]\n"
    "  --resource-names FILE [--resource-names-id COL] [--resource-names-name COL]\n"
    "\n"
    "Options (also written --name=value):\n"
    "  --separator tab|comma|blanks|BYTE\n"
    "                               of every file read (BYTE: any one byte, such as\n"
    "                               ';'); default: detected from each file's first line\n"
    "  --quote rfc4180|none         whether '\"' quotes fields; default: none with tabs\n"
    "                               and blanks, rfc4180 with any other separator\n"
    "  --header, --no-header        default: a header when a COL is a name or when the\n"
    "                               first line's D columns do not hold values of D\n"
    "  --encoding utf8|latin1       utf8 (default) is checked, latin1 converted to UTF-8\n"
    "  --skip-bad                   skip bad lines (counted, the first few named on\n"
    "                               standard error) instead of stopping at the first\n"
    "  -h, --help                   this text\n"
    "  --version                    the version\n"
    "\n"
    "Integer identifiers are kept. A user, tag or resource column holding other text\n"
    "is coded 1, 2, ... in the byte order of its distinct texts (whatever the order of\n"
    "the lines). The dictionary of a coded column, or of a column given names, is\n"
    "written to BASE.users, BASE.tags or BASE.resources (texts percent-encoded: blanks,\n"
    "control bytes and '%' as %XX). Every file is written under a temporary name and\n"
    "renamed; a device or a FIFO is written into.\n";

namespace {

const std::map<std::string_view, Period> kPeriods = {
    {"year", Period::Year}, {"month", Period::Month}, {"day", Period::Day}};
const std::map<std::string_view, Separator> kSeparators = {
    {"tab", Separator::of('\t')}, {"comma", Separator::of(',')}, {"blanks", Separator::blanks()}};
const std::map<std::string_view, Quoting> kQuotings = {{"rfc4180", Quoting::Rfc4180},
                                                       {"none", Quoting::None}};
const std::map<std::string_view, Encoding> kEncodings = {{"utf8", Encoding::Utf8},
                                                         {"latin1", Encoding::Latin1}};
constexpr const char* kNamesOptions[kDimensions] = {"--user-names", "--tag-names",
                                                    "--resource-names"};

// The options whose values the line gives as texts, before they are checked.
struct Given {
  std::vector<std::string> files;
  std::string period, unit, separator, quote, encoding;
  bool header = false;
};

// Every option that names a column, with where its value goes.
std::vector<std::pair<std::string, std::string*>> column_options(PrepareOptions& o) {
  std::vector<std::pair<std::string, std::string*>> columns = {
      {"--user", &o.user}, {"--tag", &o.tag},   {"--resource", &o.resource}, {"--d", &o.d},
      {"--time", &o.time}, {"--year", &o.year}, {"--month", &o.month},       {"--day", &o.day}};
  for (int k = 0; k < kDimensions; ++k) {
    columns.emplace_back(std::string(kNamesOptions[k]) + "-id", &o.names[k].id);
    columns.emplace_back(std::string(kNamesOptions[k]) + "-name", &o.names[k].name);
  }
  return columns;
}

void declare(OptionParser& parser, PrepareOptions& o, Given& g) {
  parser.positionals(g.files);
  for (const auto& [name, column] : column_options(o)) parser.value(name, *column);
  for (int k = 0; k < kDimensions; ++k) parser.value(kNamesOptions[k], o.names[k].path);
  parser.value("--period", g.period);
  parser.value("--unit", g.unit);
  parser.value("--separator", g.separator);
  parser.value("--quote", g.quote);
  parser.value("--encoding", g.encoding);
  parser.flag("--header,!--no-header", g.header);
  parser.flag("--skip-bad", o.skip_bad);
}

// Every column given is a name or a number from 1 within the range of size_t.
Status check_columns(const OptionParser& parser, PrepareOptions& o) {
  for (const auto& [name, column] : column_options(o)) {
    if (!parser.given(name)) continue;
    const std::string& value = *column;
    const bool number = value.find_first_not_of("0123456789") == std::string::npos;
    std::size_t index = 0;
    const auto parsed = std::from_chars(value.data(), value.data() + value.size(), index);
    if (value.empty() || (number && (parsed.ec != std::errc() || index == 0))) {
      return Status::error("bad column '" + value + "' for " + name);
    }
  }
  return {};
}

// --separator: a name, or any one byte but a quote and a line end.
bool pick_separator(const std::string& text, Separator& out) {
  if (pick(kSeparators, text, out)) return true;
  if (text.size() != 1 || text[0] == '"' || text[0] == '\n' || text[0] == '\r') return false;
  out = Separator::of(text[0]);
  return true;
}

Status read_format(const OptionParser& parser, const Given& g, InputFormat& format) {
  Separator separator;
  if (parser.given("--separator")) {
    if (!pick_separator(g.separator, separator)) {
      return Status::error("bad separator '" + g.separator +
                           "' (tab, comma, blanks or one byte such as ';')");
    }
    format.separator = separator;
  }
  Quoting quoting = Quoting::None;
  if (parser.given("--quote")) {
    if (!pick(kQuotings, g.quote, quoting)) {
      return Status::error("bad quote '" + g.quote + "' (rfc4180 or none)");
    }
    format.quoting = quoting;
  }
  if (parser.given("--encoding") && !pick(kEncodings, g.encoding, format.encoding)) {
    return Status::error("bad encoding '" + g.encoding + "' (utf8 or latin1)");
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
  o.unit = g.unit == "ms" ? TimeUnit::Milliseconds : TimeUnit::Seconds;
  if (parser.given("--header")) o.header = g.header ? HeaderChoice::Yes : HeaderChoice::No;
  return read_format(parser, g, o.format);
}

// The columns of a names file go with the file; a names file is a file.
Status check_names(const OptionParser& parser, const PrepareOptions& o) {
  for (int k = 0; k < kDimensions; ++k) {
    const std::string option = kNamesOptions[k];
    if (o.names[k].path == "-") {
      return Status::error("only the raw file can be read from standard input (" + option + ")");
    }
    if (!o.names[k].path.empty()) continue;
    for (const std::string& column : {option + "-id", option + "-name"}) {
      if (parser.given(column)) return Status::error(column + " goes with " + option);
    }
  }
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

// What the line says once it was parsed: files, columns and choices.
Status check_run(const OptionParser& parser, const Given& g, PrepareOptions& o) {
  Status status = check_columns(parser, o);
  if (status.ok()) status = read_choices(parser, g, o);
  if (status.ok()) status = check_names(parser, o);
  if (!status.ok()) return status;
  if (g.files.size() != 2) return Status::error("give the raw file and the base to write");
  o.raw = g.files[0];
  o.base = g.files[1];
  if (o.base == "-") return Status::error("give the base a file name (/dev/stdout is one)");
  if (o.user.empty() || o.tag.empty() || o.resource.empty()) {
    return Status::error("--user, --tag and --resource are required");
  }
  return check_d_source(o, parser.given("--period"), parser.given("--unit"));
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
  if (Status status = check_run(parser, g, o); !status.ok()) return status;
  return o;
}

}  // namespace quadmine

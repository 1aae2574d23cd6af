// The command line of quadmine-prepare:
//
//   quadmine-prepare RAW BASE --user COL --tag COL --resource COL D-SOURCE
//                    [--separator tab|comma|blanks|BYTE] [--quote rfc4180|none]
//                    [--header | --no-header] [--encoding utf8|latin1] [--skip-bad]
//                    [--user-names FILE [--user-names-id COL] [--user-names-name COL]]
//                    [--tag-names FILE ...] [--resource-names FILE ...]
//   D-SOURCE:  --d COL
//            | --time COL --period year|month|day [--unit s|ms]
//            | --year COL [--month COL [--day COL]] [--period year|month|day]
//   quadmine-prepare -h | --help | --version
//
// A COL is a header name or a column number from 1; RAW '-' is standard
// input. The line is read as every command beside quadmine reads its own
// (cli/option_parser.h).
#pragma once

#include <array>
#include <string>

#include "cli/option_parser.h"
#include "prepare/event_time.h"
#include "prepare/period.h"
#include "prepare/text_format.h"
#include "util/status.h"

namespace quadmine {

// Where D comes from: --d, --time or the calendar columns of --year.
enum class DSource { Column, Time, Calendar };
// Whether the first line is a header: detected, --header or --no-header.
enum class HeaderChoice { Detect, Yes, No };

// The three identifier columns, in the order of a base line.
enum Dimension { kUsers, kTags, kResources, kDimensions };

// The names file of one dimension: --tag-names FILE, with the columns of the
// identifier and of the name (--tag-names-id COL, --tag-names-name COL).
struct NamesFile {
  std::string path;  // empty when none is given
  std::string id = "1";
  std::string name = "2";
};

// Everything the command line says.
struct PrepareOptions {
  Request request = Request::Run;  // the rest is filled only for Run
  std::string raw;                 // "-": standard input
  std::string base;
  // Columns as given on the command line; empty when the option is absent.
  std::string user, tag, resource, d, time, year, month, day;
  DSource d_source = DSource::Column;
  Period period = Period::Year;  // for Time and Calendar
  TimeUnit unit = TimeUnit::Seconds;
  InputFormat format;  // of every file read
  HeaderChoice header = HeaderChoice::Detect;
  bool skip_bad = false;
  std::array<NamesFile, kDimensions> names;
};

// The options of the arguments (argv[0], the program, included). Fails with a
// one-line reason when they are unknown, incomplete or contradict each other.
Result<PrepareOptions> parse_prepare_options(int argc, const char* const* argv);

// The text printed by --help.
extern const char* const kPrepareUsage;

}  // namespace quadmine

// The command line of quadmine-prepare:
//
//   quadmine-prepare RAW BASE --user COL --tag COL --resource COL D-SOURCE
//                    [--separator tab|comma|blanks] [--header | --no-header]
//   D-SOURCE:  --d COL
//            | --time COL --period year|month|day [--unit s|ms]
//            | --year COL [--month COL [--day COL]] [--period year|month|day]
//   quadmine-prepare -h | --help | --version
//
// A COL is a header name or a column number from 1. The line is read as every
// command beside quadmine reads its own (cli/option_parser.h).
#pragma once

#include <string>

#include "cli/option_parser.h"
#include "prepare/period.h"
#include "prepare/raw_fields.h"
#include "util/status.h"

namespace quadmine {

// Where D comes from: --d, --time or the calendar columns of --year.
enum class DSource { Column, Time, Calendar };
// Whether the first line is a header: detected, --header or --no-header.
enum class HeaderChoice { Detect, Yes, No };

// Everything the command line says.
struct PrepareOptions {
  Request request = Request::Run;  // the rest is filled only for Run
  std::string raw;
  std::string base;
  // Columns as given on the command line; empty when the option is absent.
  std::string user, tag, resource, d, time, year, month, day;
  DSource d_source = DSource::Column;
  Period period = Period::Year;  // for Time and Calendar
  bool milliseconds = false;     // --unit ms
  bool separator_given = false;
  Separator separator = Separator::Blanks;
  HeaderChoice header = HeaderChoice::Detect;
};

// The options of the arguments (argv[0], the program, included). Fails with a
// one-line reason when they are unknown, incomplete or contradict each other.
Result<PrepareOptions> parse_prepare_options(int argc, const char* const* argv);

// The text printed by --help.
extern const char* const kPrepareUsage;

}  // namespace quadmine

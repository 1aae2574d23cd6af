// The command line of quadmine-prepare:
//
//   quadmine-prepare RAW BASE --user COL --tag COL --resource COL D-SOURCE
//                    [--separator tab|comma|blanks] [--header | --no-header]
//   D-SOURCE:  --d COL
//            | --time COL --period year|month|day [--unit s|ms]
//            | --year COL [--month COL [--day COL]] [--period year|month|day]
//
// A COL is a header name or a column number from 1. Options may also be
// written --name=value.
#pragma once

#include <string>

#include "prepare/period.h"
#include "prepare/raw_fields.h"

namespace quadmine {

// Where D comes from: --d, --time or the calendar columns of --year.
enum class DSource { Column, Time, Calendar };
// Whether the first line is a header: detected, --header or --no-header.
enum class HeaderChoice { Detect, Yes, No };

// Everything the command line says.
struct PrepareOptions {
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
  bool help = false;
};

// Fills `options` from the arguments (program name excluded). Returns false
// with a one-line reason in `error` when they are incomplete or contradict
// each other; --help anywhere succeeds with options.help set.
bool parse_prepare_options(int argc, const char* const* argv, PrepareOptions& options,
                           std::string& error);

// The text printed by --help.
extern const char* const kPrepareUsage;

}  // namespace quadmine

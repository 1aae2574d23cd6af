// The command line of quadmine-evaluate:
//
//   quadmine-evaluate BASE SPLIT MINSUPP_U MINSUPP_T MINSUPP_R MINSUPP_D
//                     [--k K,K,...] [--format text|tsv|json]
//   quadmine-evaluate -h | --help | --version
//
// The line is read as every command beside quadmine reads its own
// (cli/option_parser.h).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/option_parser.h"
#include "store/thresholds.h"
#include "util/status.h"

namespace quadmine {

// --format.
enum class EvaluateFormat { Text, Tsv, Json };

// Everything the command line says.
struct EvaluateOptions {
  Request request = Request::Run;  // the rest is filled only for Run
  std::string base;
  int split = 0;  // the training part is the lines with d < split
  Thresholds thresholds;
  std::vector<std::size_t> ks = {5, 10, 20};  // list lengths measured, in the order given
  EvaluateFormat format = EvaluateFormat::Text;
};

// The options of the arguments (argv[0], the program, included). Fails with a
// one-line reason on an unknown option, a missing or extra word, or a bad
// value.
Result<EvaluateOptions> parse_evaluate_options(int argc, const char* const* argv);

// "5,10,20": list lengths from 1, separated by commas, each once. False on
// anything else.
bool parse_ks(const std::string& text, std::vector<std::size_t>& out);

// The text printed by --help.
extern const char* const kEvaluateUsage;

}  // namespace quadmine

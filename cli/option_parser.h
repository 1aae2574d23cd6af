// The option parser of the commands beside quadmine (quadmine-prepare,
// quadmine-show, ...), over CLI11. Every such command reads its line the same
// way:
//
//   - an option takes its value as "--name VALUE" or "--name=VALUE"; given
//     twice, the last value counts (an option declared with values() keeps
//     every value instead);
//   - -h or --help asks for the usage, --version for the version; either
//     wins over anything else on the line but an option left without its
//     value;
//   - an unknown option fails ("unknown option --name"), and so does a word
//     where the command takes none ("unexpected argument WORD") or an option
//     at the end without its value ("option --name needs a value").
//
// Values are kept as the text given: each command converts and checks them
// itself, and words its own messages. The parser prints nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "util/status.h"

namespace CLI {
class App;
}

namespace quadmine {

// What a command line asks for.
enum class Request { Run, Help, Version };

class OptionParser {
 public:
  OptionParser();
  ~OptionParser();
  OptionParser(const OptionParser&) = delete;
  OptionParser& operator=(const OptionParser&) = delete;

  // An option with a value, stored in `out` by parse(). `names` is "--name",
  // or several names separated by commas ("-n,--name").
  void value(const std::string& names, std::string& out);
  // An option that may be given several times: parse() appends each value to
  // `out`, in the order of the line. Each "--name VALUE" takes one value.
  void values(const std::string& names, std::vector<std::string>& out);
  // A flag: parse() sets `out` to true when it is given. A name written
  // "!--no-name" sets it to false instead; the last one given counts.
  void flag(const std::string& names, bool& out);
  // The words that are not options, in their order. Without this the command
  // takes none.
  void positionals(std::vector<std::string>& out);

  // Parses the arguments (argv[0], the program, included) and fills the
  // variables declared above.
  Result<Request> parse(int argc, const char* const* argv);

  // After parse(): whether the option with this name was given at all.
  bool given(const std::string& name) const;

 private:
  std::unique_ptr<CLI::App> app_;
  bool help_ = false;
  bool version_ = false;
};

// "bad value 'VALUE' for OPTION", followed by " (EXPECTED)" when the caller
// says what the option takes: the one wording of a refused option value.
Status bad_value(const std::string& value, const std::string& option,
                 const std::string& expected = {});

// A command's whole line read into its Options: `declare(parser, options,
// given)` declares every option into `options` and the raw texts `given`;
// then, when the line asks for a run, `check(parser, given, options)`
// converts and checks the values. A help or version request returns at once.
template <class Options, class Given, class Declare, class Check>
Result<Options> parse_command_line(int argc, const char* const* argv, Declare declare,
                                   Check check) {
  Options options;
  Given given;
  OptionParser parser;
  declare(parser, options, given);
  const Result<Request> request = parser.parse(argc, argv);
  if (!request.ok()) return request.status();
  options.request = request.value();
  if (options.request != Request::Run) return options;
  if (Status status = check(parser, given, options); !status.ok()) return status;
  return options;
}

}  // namespace quadmine

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

}  // namespace quadmine

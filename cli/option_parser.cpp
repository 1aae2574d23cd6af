#include "cli/option_parser.h"

#include <CLI/CLI.hpp>

namespace quadmine {

namespace {

// CLI11 words a missing value "NAME: 1 required TYPE missing"; gives NAME.
std::string option_without_value(const std::string& what) {
  const std::size_t colon = what.find(':');
  if (colon == std::string::npos || what.find(" required ") == std::string::npos) return {};
  return what.substr(0, colon);
}

// The first word CLI11 could not place, as a failure; ok when there is none.
Status unplaced(const std::vector<std::string>& extras) {
  for (const std::string& extra : extras) {
    if (extra == "--") continue;  // the end of the options, not an argument
    if (extra.size() > 1 && extra[0] == '-') {
      return Status::error("unknown option " + extra.substr(0, extra.find('=')));
    }
    return Status::error("unexpected argument " + extra);
  }
  return {};
}

}  // namespace

OptionParser::OptionParser() : app_(std::make_unique<CLI::App>()) {
  app_->set_help_flag();  // -h and --help are plain flags, answered by the command
  app_->allow_extras();   // the words left over are reported in our own terms
  app_->option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app_->add_flag("-h,--help", help_);
  app_->add_flag("--version", version_);
}

OptionParser::~OptionParser() = default;

void OptionParser::value(const std::string& names, std::string& out) {
  app_->add_option(names, out);
}

void OptionParser::values(const std::string& names, std::vector<std::string>& out) {
  app_->add_option(names, out)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->expected(1)
      ->allow_extra_args(false);
}

void OptionParser::flag(const std::string& names, bool& out) { app_->add_flag(names, out); }

void OptionParser::positionals(std::vector<std::string>& out) { app_->add_option("words", out); }

Result<Request> OptionParser::parse(int argc, const char* const* argv) {
  try {
    app_->parse(argc, argv);
  } catch (const CLI::ArgumentMismatch& e) {
    const std::string name = option_without_value(e.what());
    return Status::error(name.empty() ? e.what() : "option " + name + " needs a value");
  } catch (const CLI::ParseError& e) {
    return Status::error(e.what());
  }
  if (help_) return Request::Help;
  if (version_) return Request::Version;
  if (Status status = unplaced(app_->remaining()); !status.ok()) return status;
  return Request::Run;
}

bool OptionParser::given(const std::string& name) const {
  return app_->get_option(name)->count() > 0;
}

}  // namespace quadmine

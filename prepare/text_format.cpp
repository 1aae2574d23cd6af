#include "prepare/text_format.h"

namespace quadmine {

std::string separator_name(Separator separator) {
  if (separator.blank_runs) return "blanks";
  if (separator.byte == '\t') return "tab";
  if (separator.byte == ',') return "comma";
  return std::string("'") + separator.byte + "'";
}

Separator detect_separator(std::string_view first_line) {
  if (first_line.find('\t') != std::string_view::npos) return Separator::of('\t');
  if (first_line.find(',') != std::string_view::npos) return Separator::of(',');
  return Separator::blanks();
}

Quoting default_quoting(Separator separator) {
  return separator.blank_runs || separator.byte == '\t' ? Quoting::None : Quoting::Rfc4180;
}

}  // namespace quadmine

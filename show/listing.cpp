#include "show/listing.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include "formats/delimited_field.h"
#include "formats/field_text.h"
#include "formats/json_text.h"
#include "show/names.h"

namespace quadmine {

namespace {

constexpr const char* kLabels[kDimensions] = {"users", "tags", "resources", "D"};
constexpr const char* kColumns[kDimensions] = {"users", "tags", "resources", "d"};
constexpr const char* kCodeColumns[kDimensions] = {"user_codes", "tag_codes", "resource_codes", ""};
constexpr const char* kNameKeys[kDimensions] = {"user_names", "tag_names", "resource_names", ""};
constexpr const char* kSingular[kDimensions] = {"user", "tag", "resource", "D value"};
constexpr const char* kPlural[kDimensions] = {"users", "tags", "resources", "D values"};

bool is_delimited(Format format) { return format == Format::Tsv || format == Format::Csv; }
char separator(Format format) { return format == Format::Csv ? ',' : '\t'; }

std::string codes_word(const std::vector<int>& set, const char* between) {
  std::string out;
  for (std::size_t i = 0; i < set.size(); ++i) {
    if (i > 0) out += between;
    out += std::to_string(set[i]);
  }
  return out;
}

std::string header(Format format, bool codes) {
  std::string line = "concept";
  for (int d = 0; d < kDimensions; ++d) {
    line += separator(format);
    line += kColumns[d];
    if (codes && d != kDValues) line += std::string(1, separator(format)) + kCodeColumns[d];
  }
  return line + "\n";
}

}  // namespace

Status write_failure() {
  const int error = errno;
  return Status::error(std::string("cannot write to standard output") +
                       (error != 0 ? std::string(": ") + std::strerror(error) : ""));
}

Status output_status(std::FILE* out) { return std::ferror(out) == 0 ? Status() : write_failure(); }

ConceptPrinter::ConceptPrinter(std::FILE* out, const Dictionaries& names, Format format, bool codes)
    : out_(out), names_(names), format_(format), codes_(codes) {}

Status ConceptPrinter::begin() {
  if (is_delimited(format_)) return put(header(format_, codes_));
  return put(format_ == Format::Json ? "[" : "");
}

Status ConceptPrinter::print(const ReportedConcept& c) {
  ++printed_;
  switch (format_) {
    case Format::Text:
      return put(text(c));
    case Format::Json:
      return put((printed_ == 1 ? "\n  " : ",\n  ") + json(c));
    case Format::JsonLines:
      return put(json(c) + "\n");
    default:
      return put(delimited(c));
  }
}

Status ConceptPrinter::end() {
  if (format_ != Format::Json) return output_status(out_);
  return put(printed_ == 0 ? "]\n" : "\n]\n");
}

Status ConceptPrinter::put(const std::string& bytes) {
  errno = 0;
  std::fwrite(bytes.data(), 1, bytes.size(), out_);
  return output_status(out_);
}

std::string ConceptPrinter::text(const ReportedConcept& c) const {
  std::string block = "concept " + std::to_string(c.number) + "  (";
  for (int d = 0; d < kDimensions; ++d) {
    const std::size_t n = c.sets[static_cast<std::size_t>(d)].size();
    block += (d == 0 ? "" : ", ") + std::to_string(n) + " " + (n == 1 ? kSingular[d] : kPlural[d]);
  }
  block += ")\n";
  for (int d = 0; d < kDimensions; ++d) {
    const std::string label = kLabels[d];
    block += "  " + label + std::string(11 - label.size(), ' ');
    const std::vector<int>& set = c.sets[static_cast<std::size_t>(d)];
    for (std::size_t i = 0; i < set.size(); ++i) {
      block += (i > 0 ? ", " : "") + element_text(names_, d, set[i], codes_);
    }
    block += "\n";
  }
  return block + "\n";
}

std::string ConceptPrinter::delimited(const ReportedConcept& c) const {
  const char sep = separator(format_);
  std::string line = std::to_string(c.number);
  for (int d = 0; d < kDimensions; ++d) {
    const std::vector<int>& set = c.sets[static_cast<std::size_t>(d)];
    std::string words;
    for (std::size_t i = 0; i < set.size(); ++i) {
      words += (i > 0 ? " " : "") + encode_field(element_text(names_, d, set[i], false));
    }
    line += sep;
    append_delimited_field(line, words, sep);
    if (codes_ && d != kDValues) line += sep + codes_word(set, " ");
  }
  return line + "\n";
}

std::string ConceptPrinter::json(const ReportedConcept& c) const {
  std::string object = "{\"concept\": " + std::to_string(c.number);
  for (int d = 0; d < kDimensions; ++d) {
    const std::vector<int>& set = c.sets[static_cast<std::size_t>(d)];
    object += std::string(", \"") + kColumns[d] + "\": [" + codes_word(set, ", ") + "]";
    if (!names_.has(d)) continue;
    object += std::string(", \"") + kNameKeys[d] + "\": [";
    for (std::size_t i = 0; i < set.size(); ++i) {
      if (i > 0) object += ", ";
      const std::string* name = names_.name_of(d, set[i]);
      if (name != nullptr) {
        append_json_string(object, *name);
      } else {
        object += "null";
      }
    }
    object += "]";
  }
  return object + "}";
}

}  // namespace quadmine

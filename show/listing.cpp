#include "show/listing.h"

#include <string>

#include "formats/field_text.h"

namespace quadmine {

namespace {

constexpr const char* kLabels[kDimensions] = {"users", "tags", "resources", "D"};
constexpr const char* kJsonKeys[kDimensions] = {"users", "tags", "resources", "d"};
constexpr const char* kJsonNameKeys[kDimensions] = {"user_names", "tag_names", "resource_names",
                                                    ""};
constexpr const char* kSingular[kDimensions] = {"user", "tag", "resource", "D value"};
constexpr const char* kPlural[kDimensions] = {"users", "tags", "resources", "D values"};

std::string joined(const std::vector<int>& set, int d, const Names& names, const char* between,
                   bool encoded) {
  std::string out;
  for (std::size_t i = 0; i < set.size(); ++i) {
    if (i > 0) out += between;
    out += encoded ? encode_field(names.of(d, set[i])) : names.of(d, set[i]);
  }
  return out;
}

void print_text(std::FILE* out, const ReportedConcept& c, const Names& names) {
  std::string counts;
  for (int d = 0; d < kDimensions; ++d) {
    const std::size_t n = c.sets[static_cast<std::size_t>(d)].size();
    counts += (d == 0 ? "" : ", ") + std::to_string(n) + " " + (n == 1 ? kSingular[d] : kPlural[d]);
  }
  std::fprintf(out, "concept %ld  (%s)\n", c.number, counts.c_str());
  for (int d = 0; d < kDimensions; ++d) {
    std::fprintf(out, "  %-10s %s\n", kLabels[d],
                 joined(c.sets[static_cast<std::size_t>(d)], d, names, ", ", false).c_str());
  }
  std::fputc('\n', out);
}

void print_tsv(std::FILE* out, const ReportedConcept& c, const Names& names) {
  std::fprintf(out, "%ld", c.number);
  for (int d = 0; d < kDimensions; ++d) {
    std::fprintf(out, "\t%s",
                 joined(c.sets[static_cast<std::size_t>(d)], d, names, " ", true).c_str());
  }
  std::fputc('\n', out);
}

void print_json(std::FILE* out, const ReportedConcept& c, const Names& names) {
  std::string object = "{\"concept\": " + std::to_string(c.number);
  for (int d = 0; d < kDimensions; ++d) {
    object += std::string(", \"") + kJsonKeys[d] + "\": [";
    const std::vector<int>& set = c.sets[static_cast<std::size_t>(d)];
    for (std::size_t i = 0; i < set.size(); ++i)
      object += (i > 0 ? ", " : "") + std::to_string(set[i]);
    object += "]";
  }
  for (int d = 0; d < kDimensions; ++d) {
    if (names.texts[static_cast<std::size_t>(d)].empty()) continue;
    object += std::string(", \"") + kJsonNameKeys[d] + "\": [";
    const std::vector<int>& set = c.sets[static_cast<std::size_t>(d)];
    for (std::size_t i = 0; i < set.size(); ++i) {
      const std::string* text = names.find(d, set[i]);
      object += (i > 0 ? ", " : "") + (text != nullptr ? json_string(*text) : std::string("null"));
    }
    object += "]";
  }
  std::fprintf(out, "%s}", object.c_str());
}

}  // namespace

void print_concepts(std::FILE* out, const std::vector<const ReportedConcept*>& chosen,
                    const Names& names, Format format) {
  if (format == Format::Tsv) std::fputs("concept\tusers\ttags\tresources\td\n", out);
  if (format == Format::Json) std::fputs("[", out);
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    switch (format) {
      case Format::Text:
        print_text(out, *chosen[i], names);
        break;
      case Format::Tsv:
        print_tsv(out, *chosen[i], names);
        break;
      case Format::Json:
        std::fputs(i == 0 ? "\n  " : ",\n  ", out);
        print_json(out, *chosen[i], names);
        break;
    }
  }
  if (format == Format::Json) std::fputs(chosen.empty() ? "]\n" : "\n]\n", out);
}

}  // namespace quadmine

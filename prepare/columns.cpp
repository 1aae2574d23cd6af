#include "prepare/columns.h"

#include <algorithm>
#include <charconv>

namespace quadmine {

namespace {

constexpr std::size_t kShownFields = 8;
constexpr std::size_t kShownBytes = 24;

// The first kShownBytes bytes of a field, cut at a character boundary.
std::string shortened(std::string_view field) {
  if (field.size() <= kShownBytes) return std::string(field);
  std::size_t end = kShownBytes;
  while (end > 0 && (static_cast<unsigned char>(field[end]) & 0xC0) == 0x80) --end;
  return std::string(field.substr(0, end)) + "...";
}

}  // namespace

bool is_column_number(const std::string& arg) {
  return !arg.empty() && arg.find_first_not_of("0123456789") == std::string::npos;
}

Result<Column> find_column(const std::string& arg, const Record* header, Separator separator) {
  Column column;
  if (is_column_number(arg)) {
    std::size_t number = 0;
    const auto parsed = std::from_chars(arg.data(), arg.data() + arg.size(), number);
    if (parsed.ec != std::errc() || number == 0) return Status::error("bad column '" + arg + "'");
    column.index = number - 1;
    column.label = arg;
    return column;
  }
  if (header == nullptr) return Status::error("no header to find column '" + arg + "' in");
  for (std::size_t i = 0; i < header->size(); ++i) {
    if ((*header)[i] != arg) continue;
    column.index = i;
    column.label = "'" + arg + "'";
    return column;
  }
  return Status::error("no column named '" + arg + "' in the header (" +
                       fields_found(*header, separator, "columns") + ")");
}

std::string fields_found(const Record& record, Separator separator, const char* noun) {
  const std::size_t count = record.size();
  std::string text = "separator " + separator_name(separator) + "; " + noun;
  for (std::size_t i = 0; i < std::min(count, kShownFields); ++i) {
    text += (i == 0 ? " '" : ", '") + shortened(record[i]) + "'";
  }
  if (count > kShownFields) text += ", ...";
  return text;
}

std::string missing_columns(const Record& record, std::size_t needed, Separator separator) {
  return "missing columns: the line has " + std::to_string(record.size()) + " fields, " +
         std::to_string(needed) + " are needed (" + fields_found(record, separator, "fields") + ")";
}

}  // namespace quadmine

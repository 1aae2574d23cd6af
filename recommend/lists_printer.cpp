#include "recommend/lists_printer.h"

#include <cerrno>
#include <charconv>

#include "formats/delimited_field.h"
#include "formats/json_text.h"

namespace quadmine {

namespace {

bool is_delimited(RecommendFormat format) {
  return format == RecommendFormat::Tsv || format == RecommendFormat::Csv;
}

void append_number(std::string& out, long long number) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

// The name of `code` in dimension `d`, or its code where there is none; with
// `with_code` a name is followed by its code: "Muse (12)".
void append_element(std::string& out, const Dictionaries& names, int d, int code, bool with_code) {
  const std::string* name = names.name_of(d, code);
  if (name == nullptr) return append_number(out, code);
  out += *name;
  if (!with_code) return;
  out += " (";
  append_number(out, code);
  out += ')';
}

// "3 resources", "1 user".
void append_count(std::string& out, std::size_t count, const char* singular) {
  append_number(out, static_cast<long long>(count));
  out += ' ';
  out += singular;
  if (count != 1) out += 's';
}

}  // namespace

ListsPrinter::ListsPrinter(std::FILE* out, const Dictionaries& names, RecommendFormat format,
                           ListKind kind, bool codes)
    : out_(out), names_(names), format_(format), kind_(kind), codes_(codes) {}

Status ListsPrinter::begin() {
  bytes_.clear();
  const char sep = format_ == RecommendFormat::Csv ? ',' : '\t';
  if (is_delimited(format_)) {
    for (const char* column : {"user", "user_name", "d", "list", "rank", "code"}) {
      bytes_ += column;
      bytes_ += sep;
    }
    bytes_ += "name\n";
  }
  if (format_ == RecommendFormat::Json) bytes_ = "[";
  return put();
}

Status ListsPrinter::print(const UserLists& lists) {
  ++printed_;
  bytes_.clear();
  if (format_ == RecommendFormat::Text) text(lists);
  if (is_delimited(format_)) delimited(lists);
  if (format_ == RecommendFormat::Json) bytes_ = printed_ == 1 ? "\n  " : ",\n  ";
  if (format_ == RecommendFormat::Json || format_ == RecommendFormat::JsonLines) json(lists);
  if (format_ == RecommendFormat::JsonLines) bytes_ += '\n';
  return put();
}

Status ListsPrinter::end() {
  bytes_.clear();
  if (format_ == RecommendFormat::Json) bytes_ = printed_ == 0 ? "]\n" : "\n]\n";
  return put();
}

Status ListsPrinter::put() {
  errno = 0;
  std::fwrite(bytes_.data(), 1, bytes_.size(), out_);
  return output_status(out_);
}

void ListsPrinter::text(const UserLists& lists) {
  bytes_ += "user ";
  append_element(bytes_, names_, kUsers, lists.who.user, codes_);
  bytes_ += "  (d ";
  append_number(bytes_, lists.who.d);
  bytes_ += ": ";
  if (shows(ListKind::Resources)) append_count(bytes_, lists.resources.size(), "resource");
  if (kind_ == ListKind::Both) bytes_ += ", ";
  if (shows(ListKind::Users)) append_count(bytes_, lists.users.size(), "user");
  bytes_ += ")\n";
  if (shows(ListKind::Resources)) text_list("  resources  ", kResources, lists.resources);
  if (shows(ListKind::Users)) text_list("  users      ", kUsers, lists.users);
  bytes_ += '\n';
}

void ListsPrinter::text_list(const char* label, int d, const std::vector<int>& list) {
  bytes_ += label;
  if (list.empty()) bytes_ += "(none)";
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) bytes_ += ", ";
    append_element(bytes_, names_, d, list[i], codes_);
  }
  bytes_ += '\n';
}

void ListsPrinter::delimited(const UserLists& lists) {
  if (shows(ListKind::Resources)) delimited_list(lists, "resources", kResources, lists.resources);
  if (shows(ListKind::Users)) delimited_list(lists, "users", kUsers, lists.users);
}

// One line per element: user, user_name, d, list, rank, code, name.
void ListsPrinter::delimited_list(const UserLists& lists, const char* label, int d,
                                  const std::vector<int>& list) {
  const char sep = format_ == RecommendFormat::Csv ? ',' : '\t';
  const std::string* user_name = names_.name_of(kUsers, lists.who.user);
  std::string head;
  append_number(head, lists.who.user);
  head += sep;
  if (user_name != nullptr) append_delimited_field(head, *user_name, sep);
  head += sep;
  append_number(head, lists.who.d);
  (head += sep) += label;
  head += sep;
  for (std::size_t i = 0; i < list.size(); ++i) {
    bytes_ += head;
    append_number(bytes_, static_cast<long long>(i + 1));
    bytes_ += sep;
    append_number(bytes_, list[i]);
    bytes_ += sep;
    const std::string* name = names_.name_of(d, list[i]);
    if (name != nullptr) append_delimited_field(bytes_, *name, sep);
    bytes_ += '\n';
  }
}

void ListsPrinter::json(const UserLists& lists) {
  bytes_ += "{\"user\": ";
  append_number(bytes_, lists.who.user);
  if (names_.has(kUsers)) {
    const std::string* name = names_.name_of(kUsers, lists.who.user);
    bytes_ += ", \"user_name\": ";
    if (name != nullptr) append_json_string(bytes_, *name);
    if (name == nullptr) bytes_ += "null";
  }
  bytes_ += ", \"d\": ";
  append_number(bytes_, lists.who.d);
  if (shows(ListKind::Resources))
    json_list("resources", "resource_names", kResources, lists.resources);
  if (shows(ListKind::Users)) json_list("users", "user_names", kUsers, lists.users);
  bytes_ += '}';
}

// ", "KEY": [codes]" and, when dimension d has a dictionary,
// ", "NAMES_KEY": [names]".
void ListsPrinter::json_list(const char* key, const char* names_key, int d,
                             const std::vector<int>& list) {
  ((bytes_ += ", \"") += key) += "\": [";
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) bytes_ += ", ";
    append_number(bytes_, list[i]);
  }
  bytes_ += ']';
  if (!names_.has(d)) return;
  ((bytes_ += ", \"") += names_key) += "\": [";
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) bytes_ += ", ";
    const std::string* name = names_.name_of(d, list[i]);
    if (name != nullptr) append_json_string(bytes_, *name);
    if (name == nullptr) bytes_ += "null";
  }
  bytes_ += ']';
}

}  // namespace quadmine

#include "formats/base_dictionaries.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

#include "util/file_handle.h"

namespace quadmine {

namespace {

namespace fs = std::filesystem;

// The file name endings of the three dictionaries, by Dimension.
constexpr const char* kEndings[kDimensions] = {".users", ".tags", ".resources", nullptr};
constexpr const char* kSingular[kDimensions] = {"user", "tag", "resource", "D value"};

bool exists(const std::string& path) {
  std::error_code error;
  return fs::exists(path, error);
}

Result<DictionaryFiles> beside_base(const std::string& base) {
  DictionaryFiles files;
  bool any = false;
  for (int d = kUsers; d <= kResources; ++d) {
    const std::string path = base + kEndings[d];
    if (!exists(path)) continue;
    files.paths[static_cast<std::size_t>(d)] = path;
    any = true;
  }
  if (!any) {
    return Status::error("no dictionary " + base + ".users, " + base + ".tags or " + base +
                         ".resources");
  }
  return files;
}

// The dimension whose dictionary a file name ending names, with the NAME
// before it; -1 when none does.
int dictionary_dimension(const std::string& file, std::string& name) {
  for (int d = kUsers; d <= kResources; ++d) {
    const std::string_view ending = kEndings[d];
    if (file.size() > ending.size() && file.ends_with(ending)) {
      name = file.substr(0, file.size() - ending.size());
      return d;
    }
  }
  return -1;
}

using FoundBases = std::map<std::string, std::array<std::string, kDimensions>>;

Result<FoundBases> bases_in(const std::string& dir) {
  FoundBases bases;
  std::error_code error;
  for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    std::error_code not_regular;
    if (!it->is_regular_file(not_regular)) continue;
    const std::string file = it->path().filename().string();
    std::string name;
    const int d = dictionary_dimension(file, name);
    if (d < 0) continue;
    bases[(fs::path(dir) / name).string()][static_cast<std::size_t>(d)] =
        (fs::path(dir) / file).string();
  }
  if (error) return Status::error("cannot list " + dir + ": " + error.message());
  return bases;
}

Result<DictionaryFiles> in_folder(const std::string& dir) {
  const Result<FoundBases> bases = bases_in(dir);
  if (!bases.ok()) return bases.status();
  DictionaryFiles files;
  if (bases->size() == 1) {
    files.paths = bases->begin()->second;
    files.found = true;
  } else {
    for (const auto& [base, paths] : bases.value()) files.candidates.push_back(base);
  }
  return files;
}

}  // namespace

Result<DictionaryFiles> find_dictionary_files(const std::string& dir, const std::string& base) {
  return base.empty() ? in_folder(dir) : beside_base(base);
}

void Dictionaries::set(int d, std::string path, CodeTexts texts) {
  paths_[static_cast<std::size_t>(d)] = std::move(path);
  texts_[static_cast<std::size_t>(d)] = std::move(texts);
}

const std::string* Dictionaries::name_of(int d, int code) const {
  const CodeTexts& texts = texts_[static_cast<std::size_t>(d)];
  const auto it = texts.find(code);
  return it == texts.end() ? nullptr : &it->second;
}

std::vector<int> Dictionaries::codes_of(int d, std::string_view name) const {
  std::vector<int> codes;
  for (const auto& [code, text] : texts_[static_cast<std::size_t>(d)]) {
    if (text == name) codes.push_back(code);
  }
  std::sort(codes.begin(), codes.end());
  return codes;
}

Result<Dictionaries> read_dictionaries(const DictionaryFiles& files) {
  Dictionaries dictionaries;
  for (int d = kUsers; d <= kResources; ++d) {
    const std::string& path = files.paths[static_cast<std::size_t>(d)];
    if (path.empty()) continue;
    const Result<FileHandle> in = open_for_reading(path);
    if (!in.ok()) return in.status();
    const DictionaryKind kind = d == kResources ? DictionaryKind::Resource : DictionaryKind::Tag;
    Result<CodeTexts> texts = read_code_dictionary(in.value().get(), path, kind);
    if (!texts.ok()) return texts.status();
    dictionaries.set(d, path, std::move(texts.value()));
  }
  return dictionaries;
}

Result<Dictionaries> find_dictionaries(const std::string& dir, const std::string& base) {
  const Result<DictionaryFiles> files = find_dictionary_files(dir, base);
  if (!files.ok()) return files.status();
  return read_dictionaries(files.value());
}

Result<std::vector<int>> resolve_element(const Dictionaries& dictionaries, int d,
                                         std::string_view value) {
  if (dictionaries.has(d)) {
    std::vector<int> codes = dictionaries.codes_of(d, value);
    if (!codes.empty()) return codes;
  }
  int code = 0;
  const char* const end = value.data() + value.size();
  if (const auto [stop, error] = std::from_chars(value.data(), end, code);
      error == std::errc() && stop == end) {
    return std::vector<int>{code};
  }
  const std::string what = kSingular[d];
  const std::string quoted = "'" + std::string(value) + "'";
  if (dictionaries.has(d)) {
    return Status::error("no " + what + " named " + quoted + " in " + dictionaries.path(d));
  }
  return Status::error(quoted + " is not a " + what + (d == kDValues ? "" : " code"));
}

}  // namespace quadmine

#include "tools/store_dumps.h"

#include <array>
#include <cstddef>
#include <utility>
#include <vector>

#include "store/globals.h"
#include "store/thresholds.h"
#include "tools/tool_files.h"

namespace quadmine {
namespace {

void write_set(std::FILE* out, const std::vector<int>& set, const char* element_format) {
  for (const int x : set) std::fprintf(out, element_format, x);
}

bool reaches_urt_thresholds(const TriConcept& c, const Thresholds& thresholds) {
  return reaches(c.us.size(), thresholds.u) && reaches(c.ts.size(), thresholds.t) &&
         reaches(c.rs.size(), thresholds.r);
}

struct SplitFile {
  const char* name;
  std::vector<int> TriConcept::*set;
};

constexpr std::array<SplitFile, 3> kSplitFiles = {{
    {"usersSEPARES.txt", &TriConcept::us},
    {"tagsSEPARES.txt", &TriConcept::ts},
    {"urlsSEPARES.txt", &TriConcept::rs},
}};

// Creates the three files, then writes them one after the other; a file that
// cannot be written does not stop the others. Fails with the first failure.
Status write_split_files() {
  const Thresholds thresholds = thresholds_from_globals();
  std::array<FileHandle, kSplitFiles.size()> files;
  for (std::size_t k = 0; k < kSplitFiles.size(); ++k) {
    Result<FileHandle> file = create_tool_output(kSplitFiles[k].name);
    if (!file.ok()) return file.status();
    files[k] = std::move(file.value());
  }
  Status status;
  for (std::size_t k = 0; k < kSplitFiles.size(); ++k) {
    std::FILE* out = files[k].get();
    for (const TriConcept& c : ens_tc2) {
      if (!reaches_urt_thresholds(c, thresholds)) continue;
      std::fputc('\n', out);
      write_set(out, c.*kSplitFiles[k].set, "%d, ");
    }
    Status done = finish_tool_output(std::move(files[k]), kSplitFiles[k].name);
    if (status.ok()) status = std::move(done);
  }
  return status;
}

}  // namespace
}  // namespace quadmine

using namespace quadmine;  // NOLINT: the helpers above and the shared tools

void ecrire_1erfichier(std::FILE* out) {
  if (out == nullptr) return;
  for (const TriConcept& c : ens_tc) {
    std::fputs(" U = ", out);
    write_set(out, c.us, "%d-");
    std::fputs(" T = ", out);
    write_set(out, c.ts, "%d, ");
    std::fputs(" R = ", out);
    write_set(out, c.rs, " %d ");
    std::fputs(" D = ", out);
    write_set(out, c.ds, " %d ");
    std::fputc('\n', out);
  }
}

void ecrire_dans_fichiers_separes() {
  if (const Status written = write_split_files(); !written.ok()) print_tool_failure(written);
}

#include "tools/base_join.h"

#include <string_view>
#include <utility>

#include "loader/base_line.h"
#include "text/line_reader.h"
#include "tools/tool_files.h"

namespace quadmine {
namespace {

constexpr const char* kCandidatesFile = "basemiaou.txt";
constexpr const char* kRequestsFile = "metier19.txt";
constexpr const char* kOutputFile = "xxxbasemiaousortie.txt";

// Next line of `stream` holding four integers; false at the end.
bool next_quad(TextLineReader& reader, std::FILE* stream, Quad& q) {
  std::string_view line;
  while (reader.next(stream, line)) {
    const LineKind kind = parse_base_line(line.data(), line.size(), q);
    if (kind == LineKind::Quadruple || kind == LineKind::WideQuadruple) return true;
  }
  return false;
}

// Writes the join of the open files; fails only when the output cannot be
// written.
Status join(std::FILE* candidates, std::FILE* requests, FileHandle output) {
  TextLineReader request_lines;
  TextLineReader candidate_lines;
  Quad request{};
  Quad candidate{};
  while (next_quad(request_lines, requests, request)) {
    std::rewind(candidates);
    while (next_quad(candidate_lines, candidates, candidate)) {
      if (candidate[0] == request[0] && candidate[1] == request[1] && candidate[2] == request[2]) {
        std::fprintf(output.get(), "\n%d %d %d %d", request[0], request[1], request[2],
                     candidate[3]);
        break;
      }
    }
  }
  return finish_tool_output(std::move(output), kOutputFile);
}

Status join_files() {
  const Result<FileHandle> candidates = open_tool_input(kCandidatesFile);
  if (!candidates.ok()) return candidates.status();
  const Result<FileHandle> requests = open_tool_input(kRequestsFile);
  if (!requests.ok()) return requests.status();
  Result<FileHandle> output = create_tool_output(kOutputFile);
  if (!output.ok()) return output.status();
  return join(candidates.value().get(), requests.value().get(), std::move(output.value()));
}

}  // namespace
}  // namespace quadmine

void miaou() {
  if (const quadmine::Status joined = quadmine::join_files(); !joined.ok()) {
    quadmine::print_tool_failure(joined);
  }
}

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

}  // namespace
}  // namespace quadmine

using namespace quadmine;  // NOLINT: the helpers above and the shared tools

void miaou() {
  const FileHandle candidates = open_for_reading(kCandidatesFile);
  if (!candidates) return;
  const FileHandle requests = open_for_reading(kRequestsFile);
  if (!requests) return;
  FileHandle output = create_for_writing(kOutputFile);
  if (!output) return;

  TextLineReader request_lines;
  TextLineReader candidate_lines;
  Quad request{};
  Quad candidate{};
  while (next_quad(request_lines, requests.get(), request)) {
    std::rewind(candidates.get());
    while (next_quad(candidate_lines, candidates.get(), candidate)) {
      if (candidate[0] == request[0] && candidate[1] == request[1] && candidate[2] == request[2]) {
        std::fprintf(output.get(), "\n%d %d %d %d", request[0], request[1], request[2],
                     candidate[3]);
        break;
      }
    }
  }
  finish_writing(std::move(output), kOutputFile);
}

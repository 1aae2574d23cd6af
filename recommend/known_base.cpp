#include "recommend/known_base.h"

#include <string_view>
#include <utility>
#include <vector>

#include "loader/quad_lines.h"

namespace quadmine {

Result<KnownResources> read_known_resources(std::FILE* base, const std::string& name) {
  std::vector<KnownResources::Pair> pairs;
  const Status read = for_each_quad(base, name, [&](const Quad& quad, std::string_view) {
    pairs.emplace_back(quad[0], quad[2]);
  });
  if (!read.ok()) return read;
  return KnownResources(std::move(pairs));
}

}  // namespace quadmine

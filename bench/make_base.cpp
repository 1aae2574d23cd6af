// make_base LINES [USERS TAGS RESOURCES DS SEED]: writes a synthetic base on
// standard output (see synthetic_base.h).
// make_base dense LINES [SEED]: writes a dense community base (see
// community_base.h).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "community_base.h"
#include "synthetic_base.h"

namespace {

int write_text(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}

int dense(int argc, char** argv) {
  CommunityShape shape;
  shape.lines = argc > 2 ? std::atol(argv[2]) : 0;
  if (argc > 3) shape.seed = std::strtoull(argv[3], nullptr, 10);
  if (shape.lines < 1) {
    std::fprintf(stderr, "make_base: LINES must be at least 1\n");
    return 1;
  }
  return write_text(make_community_base(shape));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: make_base LINES [USERS TAGS RESOURCES DS SEED]\n"
                 "       make_base dense LINES [SEED]\n");
    return 1;
  }
  if (std::strcmp(argv[1], "dense") == 0) return dense(argc, argv);
  BaseShape shape;
  shape.lines = std::atol(argv[1]);
  if (argc > 2) shape.users = std::atoi(argv[2]);
  if (argc > 3) shape.tags = std::atoi(argv[3]);
  if (argc > 4) shape.resources = std::atoi(argv[4]);
  if (argc > 5) shape.ds = std::atoi(argv[5]);
  if (argc > 6) shape.seed = std::strtoull(argv[6], nullptr, 10);
  if (shape.lines < 0 || shape.users < 1 || shape.tags < 1 || shape.resources < 1 || shape.ds < 1) {
    std::fprintf(stderr, "make_base: every size must be at least 1\n");
    return 1;
  }
  return write_text(make_synthetic_base(shape));
}

// The four dimensions of a quadruple and of a concept, in the order of a base
// line: user, tag, resource, D value.
#pragma once

namespace quadmine {

enum Dimension { kUsers = 0, kTags = 1, kResources = 2, kDValues = 3 };
constexpr int kDimensions = 4;

}  // namespace quadmine

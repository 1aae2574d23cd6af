#include "util/version.h"

namespace quadmine {

// QUADMINE_VERSION comes from the build (CMakeLists.txt).
const char* project_version() { return QUADMINE_VERSION; }

}  // namespace quadmine

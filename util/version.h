// The version of the project, one for every program: the VERSION of the
// project() call of the top CMakeLists.txt.
#pragma once

namespace quadmine {

// "MAJOR.MINOR.PATCH", e.g. "1.0.0".
const char* project_version();

}  // namespace quadmine

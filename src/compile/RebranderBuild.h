#pragma once
// Builds the Rebrander beside a freshly built e-book: a copy of the Rebrander stub, a record
// naming the e-book, and a trailer that pairs the two by build time.
//
// A failed build deletes whatever is at the Rebrander path: an older Rebrander no longer
// pairs with the e-book just built.

#include <cstdint>
#include <string>

#include "compile/ErrorReport.h"
#include "project/Project.h"

namespace nbx {

// compilerFolder holds rebrand.dat. buildTime is the e-book's.
bool BuildRebrander(const Project& project, BuildUi& ui, std::int64_t buildTime,
                    const std::string& compilerFolder);

}  // namespace nbx

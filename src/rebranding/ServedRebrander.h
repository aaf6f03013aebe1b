#pragma once
// The Rebrander from start to end, served: reads its own record, serves its pages on the
// loopback interface, prints the address and opens the reseller's browser on it, and serves
// until the page is gone or the reseller leaves.

#include <cstdio>
#include <string>

namespace nbx {

// Returns the exit code: 0, or 1 when the Rebrander's own data can't be read or served.
int RunServedRebrander(const std::string& rebranderPath, std::FILE* out, std::FILE* err);

}  // namespace nbx

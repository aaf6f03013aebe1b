#pragma once
// Writes a Rebrander program the way the build does: a stub, the Rebrander record and the
// 16-byte trailer.

#include <cstdint>
#include <string>
#include <string_view>

#include "format/RebranderRecord.h"

namespace nbx::test {

// Writes the Rebrander at path from the stub bytes; returns whether it was written. The
// file is made executable.
bool WriteTestRebrander(const std::string& path, std::string_view stub,
                        const RebranderRecord& record, std::uint32_t buildTime);

}  // namespace nbx::test

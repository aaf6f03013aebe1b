#pragma once
#include <cstdint>

#include "build/ByteSink.h"
#include "platform/FileHandle.h"

namespace nbx {

// Copies the rest of source (from its current position) into sink in 256,000-byte chunks;
// copied receives the bytes passed on. False when a read or a write fails.
bool CopyToSink(platform::FileHandle& source, ByteSink& sink, std::uint64_t& copied);

}  // namespace nbx

#pragma once
#include <cstdint>
#include <string>

#include "format/ByteSink.h"
#include "platform/FileHandle.h"

namespace nbx {

// Copies the rest of source (from its current position) into sink in 256,000-byte chunks;
// copied receives the bytes passed on. False when a read or a write fails.
bool CopyToSink(platform::FileHandle& source, ByteSink& sink, std::uint64_t& copied);

}  // namespace nbx

namespace nbx {

// Copies the file at from over the file at to (created or emptied). False with errorCode
// set to the errno of the first failure.
bool CopyWholeFile(const std::string& from, const std::string& to, int& errorCode);

}  // namespace nbx

#pragma once
// Reads what a Rebrander program carries behind its stub: the 16-byte trailer at its end and
// the record it points to. Like ArchiveReader it checks every offset against the file.

#include <string>

#include "format/RandomAccessInput.h"
#include "format/RebranderRecord.h"

namespace nbx {

// False with error set when the input does not end in a Rebrander trailer or the record is
// damaged.
bool ReadRebranderFile(RandomAccessInput& input, RebranderTrailer& trailer, RebranderRecord& record,
                       std::string& error);

}  // namespace nbx

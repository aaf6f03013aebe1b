#pragma once
// Reads the records of an e-book's content archive and of a Rebrander from a record
// stream. Each returns false at the first short read, wrong mark or impossible count, with
// the reason in the reader's error(); the output is then partly filled.

#include <vector>

#include "format/ArchiveTrailer.h"
#include "format/ArchiveVariable.h"
#include "format/BuildSettings.h"
#include "format/DirectoryEntry.h"
#include "format/RebranderRecord.h"
#include "format/RecordStreamReader.h"

namespace nbx {

bool ReadSettingsRecord(RecordStreamReader& reader, BuildSettings& settings);
// A count that is negative, or larger than the bytes left could hold, fails before anything
// is allocated for it.
bool ReadDirectory(RecordStreamReader& reader, std::vector<DirectoryEntry>& entries);
bool ReadVariablesTable(RecordStreamReader& reader, std::vector<ArchiveVariable>& variables);
bool ReadArchiveTrailer(RecordStreamReader& reader, ArchiveTrailer& trailer);
bool ReadRebranderRecord(RecordStreamReader& reader, RebranderRecord& record);
bool ReadRebranderTrailer(RecordStreamReader& reader, RebranderTrailer& trailer);

}  // namespace nbx

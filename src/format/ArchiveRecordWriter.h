#pragma once
// Writes the records of an e-book's content archive and of a Rebrander in the record
// stream. Each returns the writer's state: false once any write has failed (the bytes may
// still sit in the writer's buffer; RecordStreamWriter::Flush() settles it).

#include <vector>

#include "format/ArchiveTrailer.h"
#include "format/ArchiveVariable.h"
#include "format/BuildSettings.h"
#include "format/DirectoryEntry.h"
#include "format/RebranderRecord.h"
#include "format/RecordStreamWriter.h"

namespace nbx {

bool WriteSettingsRecord(RecordStreamWriter& writer, const BuildSettings& settings);
// The mark, the count, then every entry; false for more entries than a word can count.
bool WriteDirectory(RecordStreamWriter& writer, const std::vector<DirectoryEntry>& entries);
// The mark, a reserved 0, the count, then every variable.
bool WriteVariablesTable(RecordStreamWriter& writer, const std::vector<ArchiveVariable>& variables);
bool WriteArchiveTrailer(RecordStreamWriter& writer, const ArchiveTrailer& trailer);
bool WriteRebranderRecord(RecordStreamWriter& writer, const RebranderRecord& record);
bool WriteRebranderTrailer(RecordStreamWriter& writer, const RebranderTrailer& trailer);

}  // namespace nbx

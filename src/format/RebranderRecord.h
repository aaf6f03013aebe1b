#pragma once
// What a Rebrander program carries behind its stub: a record naming the e-book it works on,
// and a 16-byte trailer that pairs it with that e-book by build time.

#include <cstdint>
#include <string>

#include "format/RecordFormat.h"

namespace nbx {

struct RebranderRecord {
    std::string ebookFileName;  // the e-book's file name, without folder
    std::string reserved3;
    std::string title;
    std::string rebranderTitle;  // the effective title
    std::string rebranderStartMessage;
    std::string rebranderEndMessage;
    std::int32_t rebranderOption = 1;

    bool operator==(const RebranderRecord&) const = default;
};

struct RebranderTrailer {
    std::uint32_t buildTime = 0;
    std::int32_t recordOffset = 0;  // absolute; the stub's length

    bool operator==(const RebranderTrailer&) const = default;
};

template <class Record, class Visitor>
void VisitRebranderRecord(Record& r, Visitor& v) {
    v.Magic(record::kRebranderRecordBegin);
    v.Item("ebookFileName", r.ebookFileName);
    v.Item("reserved3", r.reserved3);
    v.Item("title", r.title);
    v.Item("rebranderTitle", r.rebranderTitle);
    v.Item("rebranderStartMessage", r.rebranderStartMessage);
    v.Item("rebranderEndMessage", r.rebranderEndMessage);
    v.Item("rebranderOption", r.rebranderOption);
    v.Magic(record::kRebranderRecordEnd);
}

template <class Trailer, class Visitor>
void VisitRebranderTrailer(Trailer& t, Visitor& v) {
    v.Magic(record::kRebranderTrailerBegin);
    v.Item("buildTime", t.buildTime);
    v.Item("recordOffset", t.recordOffset);
    v.Magic(record::kRebranderTrailerEnd);
}

}  // namespace nbx

#pragma once
// The last 136 bytes of every e-book: where each section of the content archive starts.
// All offsets are absolute positions in the file.

#include <array>
#include <cstdint>

#include "format/RecordFormat.h"

namespace nbx {

struct ArchiveTrailer {
    std::uint32_t buildTime = 0;  // seconds since 1970, UTC; the Rebrander carries the same
    std::int32_t settingsOffset = 0;
    std::int32_t reserved4 = 0;
    std::int32_t directoryOffset = 0;
    std::int32_t contentOffset = 0;
    std::int32_t variablesOffset = 0;
    std::int32_t splashOffset = 0;  // 0 when there is no splash image
    std::int32_t splashLength = 0;
    std::int32_t splashExtraDelay = 0;
    std::int32_t splashPercentageBar = 0;
    std::array<std::uint8_t, record::kTrailerReservedBlock> reservedBlock{};
    std::array<std::int32_t, record::kTrailerReservedWords> reserved13to16{};
    std::int32_t version = record::kFormatVersion;
    std::int32_t length = static_cast<std::int32_t>(record::kTrailerLength);

    bool operator==(const ArchiveTrailer&) const = default;
};

template <class Trailer, class Visitor>
void VisitArchiveTrailer(Trailer& t, Visitor& v) {
    v.Magic(record::kTrailerBegin);
    v.Item("buildTime", t.buildTime);
    v.Item("settingsOffset", t.settingsOffset);
    v.Item("reserved4", t.reserved4);
    v.Item("directoryOffset", t.directoryOffset);
    v.Item("contentOffset", t.contentOffset);
    v.Item("variablesOffset", t.variablesOffset);
    v.Item("splashOffset", t.splashOffset);
    v.Item("splashLength", t.splashLength);
    v.Item("splashExtraDelay", t.splashExtraDelay);
    v.Item("splashPercentageBar", t.splashPercentageBar);
    v.Block("reservedBlock", t.reservedBlock);
    v.Item("reserved13to16", t.reserved13to16);
    v.Item("version", t.version);
    v.Item("length", t.length);
    v.Magic(record::kTrailerEnd);
}

}  // namespace nbx

#include "support/EBookComposer.h"

#include "format/ArchiveRecordWriter.h"
#include "format/Packer.h"
#include "format/RecordFormat.h"

namespace nbx::test {

namespace {

template <class Write>
std::string Record(Write write) {
    std::string out;
    StringSink sink(out);
    RecordStreamWriter w(sink);
    write(w);
    w.Flush();
    return out;
}

}  // namespace

std::string Xor(std::string bytes, unsigned char mask) {
    for (char& c : bytes) {
        c = static_cast<char>(c ^ mask);
    }
    return bytes;
}

void AddEntry(EBookParts& parts, const std::string& name, const std::string& data) {
    DirectoryEntry e;
    e.name = name;
    e.offset = static_cast<std::int32_t>(parts.content.size());
    const std::string packed = PackBytes(data);
    if (data.size() >= packed.size() + 26) {
        e.storedLength = static_cast<std::int32_t>(packed.size());
        e.unpackedLength = static_cast<std::int32_t>(data.size());
        parts.content += Xor(packed, record::kEntryMask);
    } else {
        e.storedLength = static_cast<std::int32_t>(data.size());
        parts.content += Xor(data, record::kEntryMask);
    }
    parts.directory.push_back(e);
    parts.settings.entryCount = static_cast<std::int32_t>(parts.directory.size());
}

EBookLayout ComposeEBook(const EBookParts& parts,
                         const std::function<void(ArchiveTrailer&)>& tweak) {
    EBookLayout out;
    ArchiveTrailer& t = out.trailer;
    std::string& b = out.bytes;
    t.buildTime = parts.buildTime;
    b = parts.stub;
    t.settingsOffset = static_cast<std::int32_t>(b.size());
    b += Record([&](RecordStreamWriter& w) { WriteSettingsRecord(w, parts.settings); });
    t.directoryOffset = static_cast<std::int32_t>(b.size());
    b += Record([&](RecordStreamWriter& w) { WriteDirectory(w, parts.directory); });
    t.contentOffset = static_cast<std::int32_t>(b.size());
    b += parts.content;
    if (!parts.splash.empty()) {
        t.splashOffset = static_cast<std::int32_t>(b.size());
        t.splashLength = static_cast<std::int32_t>(parts.splash.size());
        t.splashExtraDelay = parts.splashExtraDelay;
        t.splashPercentageBar = parts.splashPercentageBar;
        b += parts.splash;
    }
    t.variablesOffset = static_cast<std::int32_t>(b.size());
    b += Record([&](RecordStreamWriter& w) { WriteVariablesTable(w, parts.variables); });
    if (tweak) {
        tweak(t);
    }
    b += Record([&](RecordStreamWriter& w) { WriteArchiveTrailer(w, t); });
    return out;
}

}  // namespace nbx::test

#include "compile/OutputAssembler.h"

#include <sys/stat.h>

#include <functional>

#include "format/ArchiveRecordWriter.h"
#include "format/ArchiveTrailer.h"
#include "format/ByteSink.h"
#include "format/Packer.h"
#include "format/RecordFormat.h"
#include "format/RecordStreamWriter.h"
#include "platform/FileRangeCopy.h"
#include "platform/SystemError.h"

namespace nbx {

namespace {

using record::kWordMax;

// A sink that counts what passes through to the output.
class CountingSink final : public ByteSink {
public:
    CountingSink(ByteSink& inner, std::uint64_t& count) : inner_(inner), count_(count) {}
    bool Write(const void* data, std::size_t size) override {
        if (!inner_.Write(data, size)) {
            return false;
        }
        count_ += size;
        return true;
    }

private:
    ByteSink& inner_;
    std::uint64_t& count_;
};

// Takes bytes only to count them.
class NullSink final : public ByteSink {
public:
    bool Write(const void*, std::size_t) override { return true; }
};

}  // namespace

bool OutputAssembler::Fail(std::string message) {
    error_ = std::move(message);
    return false;
}

bool OutputAssembler::Position(std::int32_t& offset) {
    if (written_ > kWordMax) {
        return Fail("the e-book would pass 2 GB");
    }
    offset = static_cast<std::int32_t>(written_);
    return true;
}

bool OutputAssembler::CopyFileIn(const std::string& path, const char* what) {
    platform::FileHandle in;
    if (!in.Open(path, platform::FileHandle::Mode::ReadRegular)) {
        return Fail(std::string("cannot open the ") + what + " " + path + ": " +
                    platform::SystemErrorText(in.error()));
    }
    const std::int64_t size = in.Size();
    int error = 0;
    if (size < 0 || !platform::CopyFileRange(in.descriptor(), 0, output_.descriptor(),
                                             static_cast<std::uint64_t>(size), error)) {
        return Fail(std::string("cannot copy the ") + what + " into the output: " +
                    platform::SystemErrorText(size < 0 ? in.error() : error));
    }
    written_ += static_cast<std::uint64_t>(size);
    return true;
}

bool OutputAssembler::WriteRecord(std::int32_t* offset, const char* what,
                                  const std::function<bool(RecordStreamWriter&)>& write) {
    // Each record goes through a stream writer of its own, so that it is flushed (and its
    // length known) before the next section starts.
    if (offset && !Position(*offset)) {
        return false;
    }
    FileSink file(output_);
    CountingSink counted(file, written_);
    RecordStreamWriter w(counted);
    if (!write(w) || !w.Flush()) {
        return Fail(std::string("cannot write the ") + what + ": " +
                    platform::SystemErrorText(output_.error()));
    }
    return true;
}

std::uint64_t OutputAssembler::ContentStart(std::uint64_t stubLength, const BuildSettings& settings,
                                            const std::vector<DirectoryEntry>& directory) {
    std::uint64_t length = 0;
    NullSink none;
    CountingSink counted(none, length);
    RecordStreamWriter w(counted);
    WriteSettingsRecord(w, settings);
    WriteDirectory(w, directory);
    w.Flush();
    return stubLength + length;
}

bool OutputAssembler::Start(const AssemblyParts& parts, bool whole) {
    error_.clear();
    written_ = 0;
    if (!parts.settings || !parts.variables || (whole && !parts.directory)) {
        return Fail("nothing to assemble");
    }
    // Content already in the output is kept: only the room before it is written.
    const auto mode = whole && parts.contentStart > 0 ? platform::FileHandle::Mode::ReadWrite
                                                      : platform::FileHandle::Mode::CreateTruncate;
    if (!output_.Open(parts.outputPath, mode)) {
        return Fail("cannot create " + parts.outputPath + ": " +
                    platform::SystemErrorText(output_.error()));
    }
    return true;
}

bool OutputAssembler::Finish(const AssemblyParts& parts, ArchiveTrailer& trailer) {
    if (!WriteRecord(
            &trailer.variablesOffset, "variables table",
            [&](RecordStreamWriter& w) { return WriteVariablesTable(w, *parts.variables); }) ||
        !WriteRecord(nullptr, "trailer",
                     [&](RecordStreamWriter& w) { return WriteArchiveTrailer(w, trailer); })) {
        return false;
    }
    struct stat st {};
    if (::stat(parts.outputPath.c_str(), &st) == 0) {
        // Execute wherever it may be read, as a program the build made.
        const mode_t read = st.st_mode & (S_IRUSR | S_IRGRP | S_IROTH);
        ::chmod(parts.outputPath.c_str(), (st.st_mode & 07777) | (read >> 2));
    }
    output_.Close();
    layout_.trailer = trailer;
    return true;
}

bool OutputAssembler::Assemble(const AssemblyParts& parts) {
    if (!Start(parts, true)) {
        return false;
    }
    ArchiveTrailer trailer;
    trailer.buildTime = parts.buildTime;

    if (!CopyFileIn(parts.stubPath, "reader stub")) {
        return false;
    }

    BuildSettings settings = *parts.settings;
    settings.entryCount = static_cast<std::int32_t>(
        std::min<std::size_t>(parts.directory->size(), static_cast<std::size_t>(kWordMax)));
    if (!WriteRecord(&trailer.settingsOffset, "settings record",
                     [&](RecordStreamWriter& w) { return WriteSettingsRecord(w, settings); })) {
        return false;
    }
    layout_.settingsLength = written_ - static_cast<std::uint64_t>(trailer.settingsOffset);
    layout_.entryCount = settings.entryCount;
    if (!WriteRecord(&trailer.directoryOffset, "directory",
                     [&](RecordStreamWriter& w) { return WriteDirectory(w, *parts.directory); })) {
        return false;
    }

    if (!Position(trailer.contentOffset)) {
        return false;
    }
    if (parts.contentStart > 0) {
        std::uint64_t end = 0;
        if (written_ != parts.contentStart || !output_.SeekToEnd(end)) {
            return Fail("the reader stub or the records no longer fit before the content");
        }
        written_ = end;
    } else if (!CopyFileIn(parts.contentPath, "content file")) {
        return false;
    }

    if (!parts.splashPath.empty()) {
        platform::FileHandle splash;
        if (!splash.Open(parts.splashPath, platform::FileHandle::Mode::ReadRegular)) {
            return Fail("cannot open the splash image " + parts.splashPath + ": " +
                        platform::SystemErrorText(splash.error()));
        }
        if (!Position(trailer.splashOffset)) {
            return false;
        }
        FileSink file(output_);
        CountingSink counted(file, written_);
        MaskingSink masked(counted, record::kEntryMask);
        const PackStreamResult packed = PackStream(splash, masked);
        if (!packed.ok) {
            return Fail("cannot pack the splash image into the output");
        }
        if (packed.packedSize > kWordMax) {
            return Fail("the e-book would pass 2 GB");
        }
        trailer.splashLength = static_cast<std::int32_t>(packed.packedSize);
        trailer.splashExtraDelay = parts.splashExtraDelay;
        trailer.splashPercentageBar = parts.splashPercentageBar;
    }
    return Finish(parts, trailer);
}

bool OutputAssembler::AssembleFromShared(const AssemblyParts& parts, const std::string& sharedPath,
                                         const AssembledLayout& layout) {
    if (!Start(parts, false)) {
        return false;
    }
    const std::uint64_t sharedLength = layout.sharedLength();
    platform::FileHandle shared;
    if (!shared.Open(sharedPath, platform::FileHandle::Mode::ReadRegular) ||
        shared.Size() != static_cast<std::int64_t>(sharedLength)) {
        return Fail("the shared part of the series " + sharedPath + " is gone or changed");
    }
    int error = 0;
    if (!platform::CloneFile(shared.descriptor(), output_.descriptor()) &&
        !platform::CopyFileRange(shared.descriptor(), 0, output_.descriptor(), sharedLength,
                                 error)) {
        return Fail("cannot copy the shared part of the series into the output: " +
                    platform::SystemErrorText(error));
    }

    // This build's settings record over the shared one, which it must replace byte for byte
    // in length.
    BuildSettings settings = *parts.settings;
    settings.entryCount = layout.entryCount;
    std::string record;
    StringSink recordSink(record);
    RecordStreamWriter w(recordSink);
    if (!WriteSettingsRecord(w, settings) || !w.Flush() || record.size() != layout.settingsLength) {
        return Fail("the settings record no longer fits the shared part of the series");
    }
    if (!output_.WriteAt(static_cast<std::uint64_t>(layout.trailer.settingsOffset), record.data(),
                         record.size()) ||
        !output_.Seek(sharedLength)) {
        return Fail("cannot write the settings record: " +
                    platform::SystemErrorText(output_.error()));
    }
    written_ = sharedLength;
    layout_ = layout;
    ArchiveTrailer trailer = layout.trailer;
    trailer.buildTime = parts.buildTime;
    return Finish(parts, trailer);
}

}  // namespace nbx

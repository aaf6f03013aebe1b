#include "compile/OutputAssembler.h"

#include <sys/stat.h>

#include <limits>

#include "format/ArchiveRecordWriter.h"
#include "format/ArchiveTrailer.h"
#include "format/ByteSink.h"
#include "format/FileCopy.h"
#include "format/Packer.h"
#include "format/RecordFormat.h"
#include "format/RecordStreamWriter.h"
#include "platform/SystemError.h"

namespace nbx {

namespace {

constexpr std::uint64_t kWordMax = std::numeric_limits<std::int32_t>::max();

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
    FileSink file(output_);
    CountingSink counted(file, written_);
    std::uint64_t copied = 0;
    if (!CopyToSink(in, counted, copied)) {
        return Fail(std::string("cannot copy the ") + what + " into the output: " +
                    platform::SystemErrorText(in.error() ? in.error() : output_.error()));
    }
    return true;
}

bool OutputAssembler::Assemble(const AssemblyParts& parts) {
    error_.clear();
    written_ = 0;
    if (!parts.settings || !parts.directory || !parts.variables) {
        return Fail("nothing to assemble");
    }
    if (!output_.Open(parts.outputPath, platform::FileHandle::Mode::CreateTruncate)) {
        return Fail("cannot create " + parts.outputPath + ": " +
                    platform::SystemErrorText(output_.error()));
    }
    ArchiveTrailer trailer;
    trailer.buildTime = parts.buildTime;

    if (!CopyFileIn(parts.stubPath, "reader stub")) {
        return false;
    }

    // The records go through one stream writer each, so that each is flushed (and its
    // length known) before the next section starts.
    auto writeRecord = [&](std::int32_t* offset, const char* what, auto&& write) {
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
    };

    BuildSettings settings = *parts.settings;
    settings.entryCount = static_cast<std::int32_t>(
        std::min<std::size_t>(parts.directory->size(), static_cast<std::size_t>(kWordMax)));
    if (!writeRecord(&trailer.settingsOffset, "settings record",
                     [&](RecordStreamWriter& w) { return WriteSettingsRecord(w, settings); }) ||
        !writeRecord(&trailer.directoryOffset, "directory",
                     [&](RecordStreamWriter& w) { return WriteDirectory(w, *parts.directory); })) {
        return false;
    }

    if (!Position(trailer.contentOffset) || !CopyFileIn(parts.contentPath, "content file")) {
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

    if (!writeRecord(&trailer.variablesOffset, "variables table", [&](RecordStreamWriter& w) {
            return WriteVariablesTable(w, *parts.variables);
        })) {
        return false;
    }
    if (!writeRecord(nullptr, "trailer",
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
    return true;
}

}  // namespace nbx

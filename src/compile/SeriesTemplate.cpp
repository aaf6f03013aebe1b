#include "compile/SeriesTemplate.h"

#include <sys/stat.h>

#include "format/ArchiveRecordWriter.h"
#include "format/ByteSink.h"
#include "platform/FileHandle.h"
#include "platform/FileRangeCopy.h"
#include "platform/Paths.h"
#include "platform/TempFiles.h"
#include "project/EntryName.h"

namespace nbx {

namespace {

constexpr const char* kWorkingFilePrefix = ".series-shared.";

// Appends fields with their lengths, so that no two lists of fields read the same.
class Fingerprint {
public:
    Fingerprint& operator<<(std::string_view text) {
        text_ += std::to_string(text.size());
        text_ += ':';
        text_ += text;
        return *this;
    }
    Fingerprint& operator<<(long long number) { return *this << std::to_string(number); }
    // The file at path as the file system describes it; a change to its bytes changes at
    // least its change time.
    Fingerprint& File(const std::string& path) {
        struct stat st {};
        *this << path;
        if (::stat(path.c_str(), &st) != 0) {
            return *this << "missing";
        }
        return *this << static_cast<long long>(st.st_dev) << static_cast<long long>(st.st_ino)
                     << static_cast<long long>(st.st_size) << static_cast<long long>(st.st_mode)
                     << static_cast<long long>(st.st_mtim.tv_sec) << st.st_mtim.tv_nsec
                     << static_cast<long long>(st.st_ctim.tv_sec) << st.st_ctim.tv_nsec;
    }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

}  // namespace

std::string SharedPartFingerprint(const Project& project, const SharedPartFiles& files,
                                  const BuildSettings& settings) {
    std::string record;
    StringSink sink(record);
    RecordStreamWriter writer(sink);
    WriteSettingsRecord(writer, settings);
    writer.Flush();
    Fingerprint f;
    f << static_cast<long long>(record.size());
    f.File(files.stubPath).File(files.iconPath).File(files.stockIconPath);
    f.File(files.languagePath).File(files.toolbarPath);
    f << project.splashBitmap << project.splashExtraDelay << project.splashPercentageBar;
    if (!project.splashBitmap.empty()) {
        f.File(project.splashBitmap);
    }
    for (const SourceFile& file : project.files) {
        if (file.excluded) {
            continue;
        }
        f << EntryNameOf(project, file) << file.searchable << file.inContents << file.preprocess
          << file.title << file.description << file.keywords << file.orderKey;
        f.File(file.path);
    }
    for (const auto& library : files.libraries) {
        f << library.entryName;
        f.File(library.path);
    }
    return f.Take();
}

SeriesTemplate::~SeriesTemplate() {
    Forget();
}

void SeriesTemplate::Forget() {
    lock_.Release();
    platform::RemoveFileQuietly(path_);
    path_.clear();
    fingerprint_.clear();
}

bool SeriesTemplate::Matches(const std::string& fingerprint) const {
    return !path_.empty() && fingerprint == fingerprint_;
}

void SeriesTemplate::Keep(const std::string& assembledPath, const AssembledLayout& layout,
                          std::string fingerprint) {
    Forget();
    // Beside the e-book, on its file system, where the items can share the blocks.
    const std::string folder = platform::FolderPartOfPath(assembledPath);
    platform::RemoveAbandonedWorkingFiles(folder, kWorkingFilePrefix);  // of killed series
    int error = 0;
    std::string path = platform::CreateUniqueFile(folder, kWorkingFilePrefix, error, 0600);
    platform::FileHandle from;
    platform::FileHandle to;
    if (path.empty() || !from.Open(assembledPath, platform::FileHandle::Mode::ReadRegular) ||
        !to.Open(path, platform::FileHandle::Mode::ReadWrite) ||
        !platform::CopyFileRange(from.descriptor(), 0, to.descriptor(), layout.sharedLength(),
                                 error)) {
        platform::RemoveFileQuietly(path);
        return;
    }
    path_ = std::move(path);
    lock_.Lock(path_);
    layout_ = layout;
    fingerprint_ = std::move(fingerprint);
}

}  // namespace nbx

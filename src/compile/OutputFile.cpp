#include "compile/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/TempFiles.h"

namespace nbx {

namespace {

bool IsSharingViolation(int error) {
    return error == ETXTBSY || error == EBUSY;
}

// One attempt; 0 on success, else the errno.
int TryClaim(const std::string& path, bool& createdNew) {
    // Only a regular file can become the program; anything else in its place (a device, a
    // pipe, a folder) is refused before it is touched, and never taken for a new file.
    struct stat st {};
    const bool existed = ::stat(path.c_str(), &st) == 0;
    if (existed && !S_ISREG(st.st_mode)) {
        return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    }
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0777);
    if (fd < 0) {
        return errno;
    }
    ::close(fd);
    createdNew = !existed;
    return 0;
}

}  // namespace

OutputClaim ClaimOutputFile(const std::string& path, int retries, BuildUi& ui) {
    OutputClaim claim;
    for (int attempt = 0;; ++attempt) {
        claim.error = TryClaim(path, claim.createdNew);
        if (claim.error == 0) {
            claim.ok = true;
            return claim;
        }
        if (!IsSharingViolation(claim.error) || attempt >= retries) {
            break;
        }
        for (int wait = 0; wait < 10; ++wait) {
            platform::SleepMs(100);
            if (ui.progress.CancelRequested()) {
                claim.cancelled = true;
                return claim;
            }
            if (ui.series) {
                ui.series->PumpMessages(false);
                if (ui.series->Cancelled()) {
                    claim.cancelled = true;
                    return claim;
                }
            }
        }
    }
    claim.sharingViolation = IsSharingViolation(claim.error);
    return claim;
}

std::string MissingOutputFolderNote(const std::string& path) {
    std::string folder = platform::FolderPartOfPath(path);
    if (folder.size() > 1 && folder.back() == platform::kSeparator) {
        folder.pop_back();
    }
    if (folder.empty() || platform::FolderExists(folder)) {
        return {};
    }
    return "\n\nThe folder " + folder +
           " does not exist. Create it, or choose an output file in a folder that does.";
}

void ReleaseOutputClaim(const std::string& path, const OutputClaim& claim) {
    if (claim.ok && claim.createdNew) {
        platform::RemoveFileQuietly(path);
    }
}

}  // namespace nbx

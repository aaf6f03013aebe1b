#include "compile/IconCustomiser.h"

#include <algorithm>
#include <vector>

#include "common/Prompter.h"
#include "compile/ErrorReport.h"
#include "format/PeIcon.h"
#include "format/RandomAccessInput.h"
#include "platform/FileHandle.h"
#include "platform/Paths.h"

namespace nbx {

namespace {

constexpr const char* kRetryAdvice =
    "Free some disk space on the drive where the output file is stored. Close other "
    "applications. Consider saving your work and rebooting.";
constexpr const char* kReinstallAdvice =
    "\n\nIf the problem continues to occur, it may be that your installation of Nimbrel "
    "E-Book is corrupted and you need to re-install the software.";

// Reads from the current position until size bytes or the end; -1 on a read failure.
std::int64_t ReadUpTo(platform::FileHandle& file, std::vector<std::uint8_t>& bytes,
                      std::size_t size) {
    bytes.resize(size);
    std::size_t got = 0;
    while (got < size) {
        const std::int64_t n = file.Read(bytes.data() + got, size - got);
        if (n < 0) {
            return -1;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return static_cast<std::int64_t>(got);
}

// Reads a whole icon file, at most icon::kMaxRead bytes. False when it cannot be opened.
bool ReadIcon(const std::string& path, std::vector<std::uint8_t>& bytes) {
    platform::FileHandle file;
    if (!file.Open(path, platform::FileHandle::Mode::ReadRegular)) {
        return false;
    }
    if (ReadUpTo(file, bytes, icon::kMaxRead) < 0) {
        bytes.clear();
    }
    return true;
}

}  // namespace

IconWindow IconWindowOf(const std::string& stubPath) {
    FileInput stub;
    std::optional<PeIconPlace> place;
    if (stub.Open(stubPath)) {
        place = FindPeIcon(stub);
    }
    // The resource holds the icon file's image; the file's header lies elsewhere.
    if (place && place->imageOffset >= kIconFileHeaderSize &&
        place->imageSize + kIconFileHeaderSize == icon::kRequiredSize) {
        return {place->imageOffset - kIconFileHeaderSize, icon::kRequiredSize};
    }
    return {icon::kWindowOffset, icon::kWindowSize};
}

bool CustomiseIcon(const std::string& stubCopyPath, const std::string& customIconPath,
                   const std::string& compilerFolder, Prompter& prompter) {
    std::vector<std::uint8_t> custom;
    if (!ReadIcon(customIconPath, custom)) {
        ReportBuildError(
            prompter, "Can't find custom icon.",
            std::string("Try choosing a different icon (especially if you recently installed a "
                        "new version, the path may be pointing to an icon file which is not "
                        "present on your system). You can change the icon by selecting "
                        "'Installation' on the 'Edit' menu.\n\nIf the problem continues to "
                        "occur, then free some disk space on the drive where the output file is "
                        "stored. Close other applications. Consider saving your work and "
                        "rebooting."));
        return false;
    }
    if (custom.size() != icon::kRequiredSize) {
        ReportBuildError(prompter, "Bad custom icon.",
                         "Your custom icon choice does not appear to be in the correct format. "
                         "Try choosing a different icon. You can change the icon by selecting "
                         "'Installation' on the 'Edit' menu.");
        return false;
    }
    std::vector<std::uint8_t> stock;
    const std::string stockPath =
        platform::JoinPath(compilerFolder, platform::NativeSeparators(icon::kStockIconName));
    if (!ReadIcon(stockPath, stock)) {
        ReportBuildError(prompter, "Can't find original icon.",
                         std::string(kRetryAdvice) + kReinstallAdvice);
        return false;
    }
    if (stock.size() != custom.size()) {
        ReportBuildError(prompter, "Bad original icon.",
                         std::string("Your original icon choice does not appear to be the correct "
                                     "format.\n\n") +
                             kRetryAdvice + kReinstallAdvice);
        return false;
    }

    platform::FileHandle stub;
    if (!stub.Open(stubCopyPath, platform::FileHandle::Mode::ReadWrite)) {
        ReportSystemError(prompter, "Error opening temporary stub file.",
                          "Attempting to open temporary file: " + stubCopyPath, stub.error(),
                          "1. Free some disk space on the drive where your temporary files are "
                          "stored.\n2. Close other applications.\n3. Try saving your work "
                          "and rebooting.");
        return false;
    }
    const IconWindow where = IconWindowOf(stubCopyPath);
    std::vector<std::uint8_t> window;
    if (!stub.Seek(where.offset) || ReadUpTo(stub, window, where.size) < 0) {
        window.clear();
    }

    // Every place where the twelve samples match is patched wherever its bytes equal the
    // stock icon's; later places are judged on the bytes as read, not as patched. A place
    // may end exactly at the window's end.
    const std::size_t size = stock.size();
    std::vector<std::uint8_t> patched = window;
    std::size_t first = window.size(), last = 0;
    for (std::size_t i = 0; i + size <= window.size(); ++i) {
        const bool candidate =
            std::all_of(std::begin(icon::kSampleOffsets), std::end(icon::kSampleOffsets),
                        [&](std::size_t k) { return window[i + k] == stock[k]; });
        if (!candidate) {
            continue;
        }
        for (std::size_t j = 0; j < size; ++j) {
            if (window[i + j] == stock[j]) {
                patched[i + j] = custom[j];
                first = std::min(first, i + j);
                last = std::max(last, i + j);
            }
        }
    }
    const bool written =
        first <= last && first < window.size() &&
        stub.WriteAt(where.offset + first, patched.data() + first, last - first + 1);
    stub.Close();
    if (!written) {
        ReportBuildError(prompter, "Can't write custom icon to E-Book.",
                         "Free some disk space on the drive where your temporary files are "
                         "stored. Close other applications. Consider saving your work "
                         "and rebooting." +
                             std::string(kReinstallAdvice));
        return false;
    }
    return true;
}

}  // namespace nbx

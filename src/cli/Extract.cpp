// tamselc extract FILE DIR: writes every entry of an e-book, unpacked, into DIR.

#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <system_error>

#include "cli/Command.h"
#include "common/VisibleText.h"
#include "format/ArchiveReader.h"
#include "platform/AtomicFileWriter.h"
#include "platform/Paths.h"
#include "platform/SystemError.h"

namespace nbx::cli {
namespace {

// Makes the folders of an entry below root one by one. A folder that is already there as a
// symbolic link (planted, or left by an earlier run) is refused: it may lead anywhere.
bool MakeFoldersBelow(const std::string& root, const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path relative = fs::path(folder).lexically_relative(root);
    fs::path current = root;
    for (const fs::path& part : relative) {
        current /= part;
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(current, ec);
        if (fs::is_symlink(status)) {
            return false;
        }
        if (!fs::exists(status)) {
            fs::create_directory(current, ec);
        }
        if (!fs::is_directory(fs::symlink_status(current, ec))) {
            return false;
        }
    }
    return true;
}

}  // namespace

int RunExtract(const Args& args) {
    if (args.size() != 2) {
        std::cerr << "Usage: tamselc extract FILE DIR\n";
        return 2;
    }
    ArchiveReader reader;
    if (!reader.Open(args[0])) {
        std::cerr << "tamselc extract: " << args[0] << ": " << reader.error() << "\n";
        return 1;
    }
    std::error_code ec;
    std::filesystem::create_directories(args[1], ec);
    if (!platform::FolderExists(args[1])) {
        std::cerr << "tamselc extract: cannot create the folder " << args[1] << "\n";
        return 1;
    }
    int failures = 0;
    std::string bytes;
    std::set<std::string> written;
    for (std::size_t i = 0; i < reader.directory().size(); ++i) {
        const std::string& name = reader.directory()[i].name;
        const std::string shown = WithVisibleControls(name);
        // Names may carry folders below DIR ("library/os.html"), never a way out of it.
        if (!platform::IsPlainRelativePath(name)) {
            std::cerr << "tamselc extract: refused the entry name '" << shown << "'\n";
            ++failures;
            continue;
        }
        if (!written.insert(name).second) {
            std::cerr << "tamselc extract: the entry name '" << shown
                      << "' appears more than once; only the first was written\n";
            ++failures;
            continue;
        }
        if (!reader.ReadEntry(i, bytes)) {
            std::cerr << "tamselc extract: " << reader.error() << "\n";
            ++failures;
            continue;
        }
        const std::string path = platform::JoinPath(args[1], platform::NativeSeparators(name));
        if (name.find('/') != std::string::npos &&
            !MakeFoldersBelow(args[1], platform::FolderPartOfPath(path))) {
            std::cerr << "tamselc extract: cannot create the folder of "
                      << WithVisibleControls(path) << " without following a link\n";
            ++failures;
            continue;
        }
        // A link already in the folder is replaced, never written through: it may lead
        // anywhere.
        platform::AtomicFileWriter out(path, platform::AtomicFileWriter::Kind::Document,
                                       platform::AtomicFileWriter::Links::Replace);
        if (!out.Open() || !out.Write(bytes) || !out.Commit()) {
            std::cerr << "tamselc extract: cannot write " << WithVisibleControls(path) << ": "
                      << platform::SystemErrorText(out.error()) << "\n";
            ++failures;
            continue;
        }
        std::cout << shown << "\n";
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace nbx::cli

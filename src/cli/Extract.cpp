// tamselc extract FILE DIR: writes every entry of an e-book, unpacked, into DIR.

#include <filesystem>
#include <iostream>
#include <string>

#include "cli/Command.h"
#include "format/ArchiveReader.h"
#include "platform/AtomicFileWriter.h"
#include "platform/Paths.h"
#include "platform/SystemError.h"

namespace nbx::cli {

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
    for (std::size_t i = 0; i < reader.directory().size(); ++i) {
        const std::string& name = reader.directory()[i].name;
        // Names may carry folders below DIR ("library/os.html"), never a way out of it.
        if (!platform::IsPlainRelativePath(name)) {
            std::cerr << "tamselc extract: refused the entry name '" << name << "'\n";
            ++failures;
            continue;
        }
        if (!reader.ReadEntry(i, bytes)) {
            std::cerr << "tamselc extract: " << reader.error() << "\n";
            ++failures;
            continue;
        }
        const std::string path = platform::JoinPath(args[1], platform::NativeSeparators(name));
        const std::string folder = platform::FolderPartOfPath(path);
        if (name.find('/') != std::string::npos) {
            std::filesystem::create_directories(folder, ec);
            if (!platform::FolderExists(folder)) {
                std::cerr << "tamselc extract: cannot create the folder " << folder << "\n";
                ++failures;
                continue;
            }
        }
        int error = 0;
        if (!platform::WriteFileAtomically(path, bytes, error)) {
            std::cerr << "tamselc extract: cannot write " << path << ": "
                      << platform::SystemErrorText(error) << "\n";
            ++failures;
            continue;
        }
        std::cout << name << "\n";
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace nbx::cli

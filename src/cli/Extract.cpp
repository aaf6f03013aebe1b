// tamselc extract FILE DIR: writes every entry of an e-book, unpacked, into DIR.

#include <set>
#include <string>

#include "cli/Command.h"
#include "cli/ExtractFolder.h"
#include "common/VisibleText.h"
#include "format/ArchiveReader.h"
#include "platform/Paths.h"
#include "platform/SystemError.h"

namespace nbx::cli {

int RunExtract(const Args& args, Console& console) {
    if (args.size() != 2) {
        console.err << "Usage: tamselc extract FILE DIR\n";
        return 2;
    }
    ArchiveReader reader;
    if (!reader.Open(args[0])) {
        console.err << "tamselc extract: " << args[0] << ": " << reader.error() << "\n";
        return 1;
    }
    ExtractFolder folder;
    if (!folder.Open(args[1])) {
        console.err << "tamselc extract: cannot create the folder " << args[1] << ": "
                    << platform::SystemErrorText(folder.error()) << "\n";
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
            console.err << "tamselc extract: refused the entry name '" << shown << "'\n";
            ++failures;
            continue;
        }
        if (!written.insert(name).second) {
            console.err << "tamselc extract: the entry name '" << shown
                        << "' appears more than once; only the first was written\n";
            ++failures;
            continue;
        }
        if (!reader.ReadEntry(i, bytes)) {
            console.err << "tamselc extract: " << reader.error() << "\n";
            ++failures;
            continue;
        }
        const std::string path = platform::JoinPath(args[1], platform::NativeSeparators(name));
        switch (folder.Write(name, bytes)) {
            case ExtractFolder::Outcome::Written:
                console.out << shown << "\n";
                break;
            case ExtractFolder::Outcome::LinkInTheWay:
                console.err << "tamselc extract: cannot create the folder of "
                            << WithVisibleControls(path) << " without following a link\n";
                ++failures;
                break;
            case ExtractFolder::Outcome::Failed:
                console.err << "tamselc extract: cannot write " << WithVisibleControls(path) << ": "
                            << platform::SystemErrorText(folder.error()) << "\n";
                ++failures;
                break;
        }
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace nbx::cli

// nbxviewerdata: writes the reader's data files into the program folder at build time, from
// the text sources in data/.
//
//   nbxviewerdata language SOURCE OUTPUT [--reference ENGLISH_SOURCE]
//   nbxviewerdata translat SOURCE OUTPUT
//   nbxviewerdata toolbar SOURCE OUTPUT
//
// A source with any problem writes nothing: every problem is listed on stderr and the exit
// code is 1. Outputs are replaced whole, never left half-written.
//
// toolbar.tb, as written here (viewerfiles/ToolbarFormat.h; docs/formats/toolbar.md): the
// signature "NBXTOOLB", then the little-endian 32-bit words version 1, cell width, cell
// height and button count N, N button numbers (toolbar::ToolbarButton) giving the button of
// each cell from the left, the PNG length L, and L bytes of an 8-bit RGBA PNG image N cells
// wide and one cell high.

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "format/ByteSink.h"
#include "format/ToolbarFile.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileHandle.h"
#include "platform/SystemError.h"
#include "viewerdata/DataSource.h"
#include "viewerdata/LanguageCompiler.h"
#include "viewerdata/PngWriter.h"
#include "viewerdata/ToolbarSource.h"

namespace {

using nbx::datagen::SourceEntry;

bool ReadSource(const std::string& path, std::string& text) {
    nbx::platform::FileHandle file;
    if (!file.Open(path, nbx::platform::FileHandle::Mode::Read)) {
        std::cerr << path << ": " << nbx::platform::SystemErrorText(file.error()) << "\n";
        return false;
    }
    const std::int64_t size = file.Size();
    text.assign(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    if (size < 0 || !file.ReadAt(0, text.data(), text.size())) {
        std::cerr << path << ": " << nbx::platform::SystemErrorText(file.error()) << "\n";
        return false;
    }
    return true;
}

bool ParseSourceFile(const std::string& path, std::vector<SourceEntry>& entries,
                     std::vector<std::string>& errors) {
    std::string text;
    if (!ReadSource(path, text)) {
        return false;
    }
    entries = nbx::datagen::ParseDataSource(text, path, errors);
    return true;
}

int Report(const std::vector<std::string>& errors) {
    for (const auto& e : errors) {
        std::cerr << e << "\n";
    }
    return errors.empty() ? 0 : 1;
}

// "language" and "translat": a table compiled from a source.
int Table(const std::string& command, const std::vector<std::string>& args) {
    const bool language = command == "language";
    const bool withReference = language && args.size() == 4 && args[2] == "--reference";
    if (args.size() != 2 && !withReference) {
        std::cerr << "usage: nbxviewerdata " << command << " SOURCE OUTPUT"
                  << (language ? " [--reference SOURCE]" : "") << "\n";
        return 2;
    }
    std::vector<std::string> errors;
    std::vector<SourceEntry> entries;
    std::vector<SourceEntry> reference;
    if (!ParseSourceFile(args[0], entries, errors) ||
        (withReference && !ParseSourceFile(args[3], reference, errors))) {
        return 1;
    }
    nbx::CLanguageMap map;
    const bool compiled =
        language ? nbx::datagen::CompileLanguage(entries, withReference ? &reference : nullptr,
                                                 args[0], map, errors)
                 : nbx::datagen::CompileTranslation(entries, args[0], map, errors);
    if (!compiled || !errors.empty()) {
        return Report(errors);
    }
    if (!map.Write(args[1])) {
        std::cerr << map.error() << "\n";
        return 1;
    }
    return 0;
}

int Toolbar(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::cerr << "usage: nbxviewerdata toolbar SOURCE OUTPUT\n";
        return 2;
    }
    std::string text;
    if (!ReadSource(args[0], text)) {
        return 1;
    }
    std::vector<std::string> errors;
    nbx::datagen::ToolbarImage image;
    if (!nbx::datagen::ParseToolbarSource(text, args[0], image, errors)) {
        return Report(errors);
    }
    nbx::ToolbarFile file;
    file.cellWidth = image.cellWidth;
    file.cellHeight = image.cellHeight;
    file.buttons = image.buttons;
    file.png =
        nbx::datagen::EncodePng(image.cellWidth * static_cast<std::uint32_t>(image.buttons.size()),
                                image.cellHeight, image.rgba);
    std::string bytes;
    nbx::StringSink sink(bytes);
    std::string error;
    if (!nbx::WriteToolbarFile(file, sink, error)) {
        std::cerr << args[1] << ": " << error << "\n";
        return 1;
    }
    int code = 0;
    if (!nbx::platform::WriteFileAtomically(args[1], bytes, code)) {
        std::cerr << args[1] << ": " << nbx::platform::SystemErrorText(code) << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + std::min(argc, 2), argv + argc);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "language" || command == "translat") {
        return Table(command, args);
    }
    if (command == "toolbar") {
        return Toolbar(args);
    }
    std::cerr << "usage: nbxviewerdata language|translat|toolbar SOURCE OUTPUT ...\n";
    return 2;
}

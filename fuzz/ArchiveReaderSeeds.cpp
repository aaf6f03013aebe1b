// nbx_archive_seeds DIR: writes a few small e-books, a Rebrander and packed streams into DIR,
// as the starting corpus of ArchiveReaderFuzzer.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "compile/OutputAssembler.h"
#include "format/ArchiveRecordWriter.h"
#include "format/EntryWriter.h"
#include "format/Packer.h"
#include "platform/Paths.h"
#include "platform/TempFiles.h"

namespace {

void Save(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// An e-book of the given files, with or without a splash image and variables.
void Book(const std::string& out, const std::vector<std::string>& files, bool splash,
          bool variables) {
    const std::string dir = nbx::platform::TempFolder();
    int error = 0;
    const std::string content = nbx::platform::CreateTempFile("seed", error);
    std::vector<nbx::DirectoryEntry> directory;
    {
        nbx::platform::FileHandle file;
        file.Open(content, nbx::platform::FileHandle::Mode::ReadWrite);
        for (std::size_t i = 0; i < files.size(); ++i) {
            const std::string source = nbx::platform::CreateTempFile("seed", error);
            Save(source, files[i]);
            nbx::DirectoryEntry e;
            e.name = "page" + std::to_string(i) + ".html";
            e.title = "Page";
            nbx::AppendEntry(file, source, e, directory);
            nbx::platform::RemoveFileQuietly(source);
        }
    }
    const std::string stub = nbx::platform::CreateTempFile("seed", error);
    Save(stub, "STUB");
    const std::string splashFile = nbx::platform::CreateTempFile("seed", error);
    Save(splashFile, std::string(300, 'B') + "splash");
    nbx::BuildSettings settings;
    settings.title = "Seed";
    std::vector<nbx::ArchiveVariable> vars;
    if (variables) {
        vars = {{"NAME", "Name", "Fred", 1, 0}, {"INC", "", "<b>x</b>", 0, 4}};
    }
    nbx::AssemblyParts parts;
    parts.outputPath = out;
    parts.stubPath = stub;
    parts.settings = &settings;
    parts.directory = &directory;
    parts.variables = &vars;
    parts.contentPath = content;
    if (splash) {
        parts.splashPath = splashFile;
    }
    nbx::OutputAssembler().Assemble(parts);
    for (const auto& p : {content, stub, splashFile}) {
        nbx::platform::RemoveFileQuietly(p);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::string dir = argv[1];
    std::filesystem::create_directories(dir);
    auto at = [&](const char* name) { return nbx::platform::JoinPath(dir, name); };
    std::string text;
    for (int i = 0; i < 100; ++i) {
        text += "<p>The book, chapter " + std::to_string(i % 9) + ".</p>\n";
    }
    Book(at("book-plain"), {"<html></html>", ""}, false, false);
    Book(at("book-packed"), {text, "GIF89a", text.substr(0, 300)}, true, true);
    Save(at("packed-text"), nbx::PackBytes(text));
    Save(at("packed-empty"), nbx::PackBytes(""));

    std::string rebrander = "STUB";
    {
        nbx::StringSink sink(rebrander);
        nbx::RecordStreamWriter w(sink);
        nbx::RebranderRecord record;
        record.ebookFileName = "book";
        nbx::WriteRebranderRecord(w, record);
        nbx::WriteRebranderTrailer(w, {1, 4});
    }
    Save(at("rebrander"), rebrander);
    return Load(at("book-packed")).empty() ? 1 : 0;
}

#include "support/TestBook.h"

#include "compile/OutputAssembler.h"
#include "format/EntryWriter.h"

namespace nbx::test {

std::string WriteTestBook(const TempDir& dir, const std::string& stubPath,
                          const std::string& outputPath, const BuildSettings& settings,
                          const std::vector<TestBookFile>& files,
                          const std::vector<ArchiveVariable>& variables, std::uint32_t buildTime,
                          const TestBookSplash& splash) {
    const std::string contentPath = dir.File("content.vmt");
    std::vector<DirectoryEntry> directory;
    {
        platform::FileHandle content;
        if (!content.Open(contentPath, platform::FileHandle::Mode::CreateTruncate)) {
            return "cannot create " + contentPath;
        }
        for (std::size_t i = 0; i < files.size(); ++i) {
            DirectoryEntry e;
            e.name = files[i].name;
            e.title = files[i].title;
            e.orderKey = files[i].orderKey;
            e.inContents = files[i].inContents;
            e.preprocess = files[i].preprocess;
            e.description = files[i].description;
            e.searchable = files[i].searchable;
            const std::string source = dir.Write("sources/" + std::to_string(i), files[i].data);
            if (!AppendEntry(content, source, e, directory)) {
                return "cannot append " + files[i].name;
            }
        }
    }
    AssemblyParts parts;
    parts.outputPath = outputPath;
    parts.stubPath = stubPath;
    parts.settings = &settings;
    parts.directory = &directory;
    parts.variables = &variables;
    parts.buildTime = buildTime;
    parts.contentPath = contentPath;
    parts.splashPath = splash.bitmapPath;
    parts.splashExtraDelay = splash.extraDelay;
    parts.splashPercentageBar = splash.percentageBar;
    OutputAssembler assembler;
    return assembler.Assemble(parts) ? std::string() : assembler.error();
}

std::vector<TestBookFile> ReaderDataFiles(const std::string& programDir,
                                          const std::string& language) {
    std::vector<TestBookFile> files(2);
    files[0].name = "__lang.lng";
    files[0].data = ReadWholeFile(programDir + "/" + language + ".lng");
    files[0].searchable = 0;
    files[1].name = "__tool.tb";
    files[1].data = ReadWholeFile(programDir + "/toolbar.tb");
    files[1].searchable = 0;
    return files;
}

}  // namespace nbx::test

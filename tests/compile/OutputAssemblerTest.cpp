#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "compile/OutputAssembler.h"
#include "format/ArchiveReader.h"
#include "format/EntryWriter.h"
#include "format/Packer.h"
#include "format/RecordFormat.h"
#include "support/EBookComposer.h"
#include "support/RandomBytes.h"
#include "support/TempDir.h"

namespace nbx {
namespace {

using test::Xor;

std::uint32_t WordAt(const std::string& masked, std::size_t offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = v << 8 | (static_cast<unsigned char>(masked[offset + static_cast<std::size_t>(i)]) ^
                      record::kStreamMask);
    }
    return v;
}

// Builds the pieces of one e-book in a temporary folder the way the build does, and the same
// e-book through the independent composer.
class OutputAssemblerTest : public ::testing::Test {
protected:
    void SetUp() override {
        stub = test::RandomBytes(5000, 1);
        stubPath = dir.Write("stub.vmt", stub);
        contentPath = dir.File("content.vmt");
        platform::FileHandle content;
        ASSERT_TRUE(content.Open(contentPath, platform::FileHandle::Mode::CreateTruncate));
        settings.title = "A Book";
        settings.entryCount = 99;  // the directory's count is what gets written
        variables = {{"NAME", "Your name", "Fred", 1, 0}, {"FOOTER", "", "<p>x</p>", 0, 4}};
        expected.stub = stub;
        expected.settings = settings;
        expected.variables = variables;
        expected.buildTime = 1234567890;
    }

    void AddFile(const std::string& name, const std::string& data) {
        platform::FileHandle content;
        ASSERT_TRUE(content.Open(contentPath, platform::FileHandle::Mode::ReadWrite));
        DirectoryEntry e;
        e.name = name;
        ASSERT_TRUE(AppendEntry(content, dir.Write("src/" + name, data), e, directory));
        test::AddEntry(expected, name, data);
        files.push_back(data);
    }

    AssemblyParts Parts() {
        AssemblyParts p;
        p.outputPath = dir.File("book");
        p.stubPath = stubPath;
        p.settings = &settings;
        p.directory = &directory;
        p.variables = &variables;
        p.buildTime = 1234567890;
        p.contentPath = contentPath;
        return p;
    }

    test::TempDir dir;
    std::string stub, stubPath, contentPath;
    BuildSettings settings;
    std::vector<DirectoryEntry> directory;
    std::vector<ArchiveVariable> variables;
    std::vector<std::string> files;
    test::EBookParts expected;
};

TEST_F(OutputAssemblerTest, SectionsFollowTheStubWithoutGaps) {
    std::string page;
    for (int i = 0; i < 200; ++i) {
        page += "<p>Chapter " + std::to_string(i % 7) + " of the book</p>\n";
    }
    AddFile("index.html", page);
    AddFile("pic.gif", test::RandomBytes(3000, 2));
    AddFile("empty.txt", "");
    const std::string splash(5000, '\x11');
    AssemblyParts parts = Parts();
    parts.splashPath = dir.Write("splash.bmp", splash);
    parts.splashExtraDelay = 1500;
    parts.splashPercentageBar = 1;
    OutputAssembler assembler;
    ASSERT_TRUE(assembler.Assemble(parts)) << assembler.error();

    expected.splash = Xor(PackBytes(splash), record::kEntryMask);
    expected.splashExtraDelay = 1500;
    expected.splashPercentageBar = 1;
    const test::EBookLayout layout = test::ComposeEBook(expected);
    const std::string out = test::ReadWholeFile(parts.outputPath);
    ASSERT_EQ(out.size(), layout.bytes.size());
    EXPECT_TRUE(out == layout.bytes);
    EXPECT_EQ(out.substr(0, stub.size()), stub);
    EXPECT_EQ(layout.trailer.settingsOffset, static_cast<std::int32_t>(stub.size()));

    // The trailer's first word, and its last three.
    const std::size_t t = out.size() - 136;
    EXPECT_EQ(WordAt(out, t), 0x0FF5E101u);
    EXPECT_EQ(WordAt(out, t + 4), 1234567890u);
    EXPECT_EQ(WordAt(out, t + 124), 422u);
    EXPECT_EQ(WordAt(out, t + 128), 136u);
    EXPECT_EQ(WordAt(out, t + 132), 0x0FF5E150u);

    struct stat st {};
    ASSERT_EQ(::stat(parts.outputPath.c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IXUSR);
}

TEST_F(OutputAssemblerTest, ReaderGivesBackEverything) {
    AddFile("index.html", std::string(40000, 'x') + "end");
    AddFile("b.jpg", test::RandomBytes(10000, 3));
    AddFile("empty.txt", "");
    const std::string splash = test::RandomBytes(777, 4);
    AssemblyParts parts = Parts();
    parts.splashPath = dir.Write("splash.bmp", splash);
    OutputAssembler assembler;
    ASSERT_TRUE(assembler.Assemble(parts)) << assembler.error();

    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(parts.outputPath)) << reader.error();
    EXPECT_EQ(reader.trailer().buildTime, 1234567890u);
    EXPECT_EQ(reader.stubLength(), stub.size());
    BuildSettings written = settings;
    written.entryCount = 3;
    EXPECT_EQ(reader.settings(), written);
    EXPECT_EQ(reader.directory(), directory);
    EXPECT_EQ(reader.variables(), variables);
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string bytes;
        ASSERT_TRUE(reader.ReadEntry(i, bytes)) << reader.error();
        EXPECT_TRUE(bytes == files[i]) << directory[i].name;
    }
    EXPECT_EQ(reader.FindEntry("b.jpg"), 1);
    EXPECT_EQ(reader.FindEntry("B.jpg"), -1);
    std::string back;
    ASSERT_TRUE(reader.ReadSplash(back)) << reader.error();
    EXPECT_EQ(back, splash);
}

TEST_F(OutputAssemblerTest, NoSplashAndNoVariables) {
    AddFile("index.html", "<html></html>");
    variables.clear();
    expected.variables.clear();
    OutputAssembler assembler;
    ASSERT_TRUE(assembler.Assemble(Parts())) << assembler.error();
    const std::string out = test::ReadWholeFile(Parts().outputPath);
    const test::EBookLayout layout = test::ComposeEBook(expected);
    EXPECT_TRUE(out == layout.bytes);

    // Trailer words 8 to 11 are all 0; the variables table follows the content data and is
    // its mark, a 0 and a count of 0.
    const std::size_t t = out.size() - 136;
    for (std::size_t item = 8; item <= 11; ++item) {
        EXPECT_EQ(WordAt(out, t + 4 * (item - 1)), 0u) << "item " << item;
    }
    const std::size_t variablesAt = WordAt(out, t + 4 * 6);
    EXPECT_EQ(variablesAt, WordAt(out, t + 4 * 5) + directory[0].storedLength);
    EXPECT_EQ(variablesAt + 12, t);
    EXPECT_EQ(WordAt(out, variablesAt), 0x1151B165u);
    EXPECT_EQ(WordAt(out, variablesAt + 4), 0u);
    EXPECT_EQ(WordAt(out, variablesAt + 8), 0u);

    ArchiveReader reader;
    ASSERT_TRUE(reader.Open(Parts().outputPath)) << reader.error();
    EXPECT_FALSE(reader.hasSplash());
    std::string bytes;
    EXPECT_FALSE(reader.ReadSplash(bytes));
}

TEST_F(OutputAssemblerTest, MissingPartsFail) {
    struct Case {
        const char* name;
        void (*change)(AssemblyParts&, const test::TempDir&);
        const char* errorPart;
    };
    const Case cases[] = {
        {"stub", [](AssemblyParts& p, const test::TempDir& d) { p.stubPath = d.File("none"); },
         "reader stub"},
        {"content",
         [](AssemblyParts& p, const test::TempDir& d) { p.contentPath = d.File("none"); },
         "content file"},
        {"splash", [](AssemblyParts& p, const test::TempDir& d) { p.splashPath = d.File("none"); },
         "splash image"},
        {"output folder",
         [](AssemblyParts& p, const test::TempDir& d) { p.outputPath = d.File("no/book"); },
         "cannot create"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AssemblyParts parts = Parts();
        c.change(parts, dir);
        OutputAssembler assembler;
        EXPECT_FALSE(assembler.Assemble(parts));
        EXPECT_NE(assembler.error().find(c.errorPart), std::string::npos) << assembler.error();
    }
}

}  // namespace
}  // namespace nbx

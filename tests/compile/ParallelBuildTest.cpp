// A build that packs on several cores writes the book a one-core build writes, byte for byte,
// whatever the files: empty, incompressible, larger than a packing piece, thousands of small
// ones, extension libraries, a splash image.

#include <functional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "compile/BuildEBookFixture.h"
#include "compile/EntryPreparer.h"
#include "extensions/ExtensionLoader.h"
#include "format/ArchiveReader.h"
#include "platform/Paths.h"
#include "support/RandomBytes.h"

namespace nbx {
namespace {

using test::RandomBytes;
using test::ReadWholeFile;

// Text with repeats near and far, so that packing has work at every distance.
std::string Text(std::size_t n, unsigned seed) {
    static const char* const words[] = {
        "<p>",  "the ", "reader ", "chapter ", "</p>\n", "<a href=\"x.htm\">",
        "</a>", "of ",  "book ",   "1234 "};
    std::mt19937 rng(seed);
    std::string s;
    while (s.size() < n) {
        s += words[rng() % 10];
        if (rng() % 50 == 0) {
            s += RandomBytes(rng() % 30, rng());
        }
    }
    s.resize(n);
    return s;
}

class ParallelBuildTest : public BuildEBookTest {
public:
    std::string LastMessage() const {
        return prompter.messages.empty() ? "" : prompter.messages.back();
    }
    void Add(const std::string& name, const std::string& bytes) {
        SourceFile f;
        f.path = dir.Write("src/" + name, bytes);
        f.title = name;
        project.files.push_back(f);
    }
};

struct ProjectCase {
    const char* name;
    std::function<void(ParallelBuildTest&)> setUp;
};

TEST_F(ParallelBuildTest, EveryCoreCountWritesTheOneCoreBook) {
    constexpr std::size_t kPiece = EntryPreparer::kPieceSize;
    const ProjectCase cases[] = {
        {"empty files and the packing thresholds",
         [](ParallelBuildTest& t) {
             for (int i = 0; i < 6; ++i) {
                 t.Add("empty" + std::to_string(i) + ".htm", "");
             }
             t.Add("28.htm", std::string(28, 'a'));
             t.Add("29.htm", std::string(29, 'a'));
         }},
        {"incompressible files",
         [](ParallelBuildTest& t) {
             t.Add("small.jpg", RandomBytes(1000, 1));
             t.Add("photo.jpg", RandomBytes(300000, 2));
             t.Add("two pieces.jpg", RandomBytes(kPiece + 5000, 3));
             t.Add("after.htm", Text(20000, 4));
         }},
        {"one huge file",
         [](ParallelBuildTest& t) { t.Add("huge.htm", Text(6 * kPiece + 777, 5)); }},
        {"files at the piece size",
         [](ParallelBuildTest& t) {
             t.Add("below.htm", Text(kPiece - 1, 6));
             t.Add("at.htm", Text(kPiece, 7));
             t.Add("above.htm", Text(kPiece + 1, 8));
             t.Add("two.htm", Text(2 * kPiece, 9));
             t.Add("random then text.htm", RandomBytes(kPiece + 3000, 10) + Text(kPiece, 11));
         }},
        {"5,000 small files",
         [](ParallelBuildTest& t) {
             for (int i = 0; i < 5000; ++i) {
                 t.Add("f" + std::to_string(i) + ".htm", Text(10 + i % 300, 100 + i));
             }
         }},
        {"extension libraries",
         [](ParallelBuildTest& t) {
             const std::string library =
                 std::string(NBX_SAMPLE_EXTENSION_DIR) + "/libnbxext_runtime.so";
             ASSERT_TRUE(LoadExtension(t.registry, library, t.prompter, nullptr));
             t.project.extensions = {library};
         }},
        {"splash image",
         [](ParallelBuildTest& t) { t.project.splashBitmap = t.compiler + "/splash16.bmp"; }},
    };
    const Project base = project;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        project = base;
        c.setUp(*this);
        env.packingWorkers = 0;
        ASSERT_TRUE(Build()) << LastMessage();
        const std::string oneCore = ReadWholeFile(project.outputExe);
        for (unsigned workers : {1u, 2u, 5u}) {
            env.packingWorkers = workers;
            ASSERT_TRUE(Build()) << LastMessage();
            EXPECT_TRUE(ReadWholeFile(project.outputExe) == oneCore) << workers << " workers";
        }
        ArchiveReader reader;
        ASSERT_TRUE(reader.Open(project.outputExe)) << reader.error();
        std::string bytes;
        for (const SourceFile& f : project.files) {
            const long at = reader.FindEntry(platform::FileNameOfPath(f.path));
            if (f.excluded) {
                continue;
            }
            ASSERT_GE(at, 0) << f.path;
            ASSERT_TRUE(reader.ReadEntry(static_cast<std::size_t>(at), bytes)) << reader.error();
            EXPECT_TRUE(bytes == ReadWholeFile(f.path)) << f.path;
        }
    }
}

}  // namespace
}  // namespace nbx

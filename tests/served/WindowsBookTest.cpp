// Windows books, built here: the stubs cross-built with MinGW-w64 import only the DLLs every
// Windows has; a book written from eview.exe.dat runs under Wine (headless, in a private
// prefix) and serves its pages to the Linux side with the served reader's rules; the
// compiler makes a Windows book of a name ending in ".exe", with the author's icon as its
// program icon; the Windows Rebrander's --set changes what tamselc inspect reads.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>

#include "HttpClient.h"
#include "ReaderProcess.h"
#include "ServedBook.h"
#include "compile/IconCustomiser.h"
#include "format/PeIcon.h"
#include "format/RandomAccessInput.h"
#include "platform/AsciiText.h"
#include "support/RunCommand.h"
#include "support/TestRebrander.h"

namespace nbx::test {
namespace {

const std::string kWine = "/usr/bin/wine";

// The DLLs a PE file imports, as objdump names them, in lower case.
std::set<std::string> ImportedDlls(const std::string& path, int& status) {
    const std::string out =
        RunCommand("x86_64-w64-mingw32-objdump -p " + Quote(path) + " 2>&1", status);
    std::set<std::string> dlls;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const std::string mark = "DLL Name: ";
        const std::size_t at = line.find(mark);
        if (at != std::string::npos) {
            dlls.insert(
                ToLowerAscii(std::string(TrimAsciiWhiteSpace(line.substr(at + mark.size())))));
        }
    }
    return dlls;
}

TEST(WindowsStubsTest, ImportOnlyTheSystemsOwnDlls) {
    const std::set<std::string> system = {
        "kernel32.dll", "user32.dll", "shell32.dll", "advapi32.dll", "ws2_32.dll",
        "bcrypt.dll",   "msvcrt.dll", "ole32.dll",   "shlwapi.dll",  "ucrtbase.dll"};
    for (const char* stub : {"eview.exe.dat", "rebrand.exe.dat"}) {
        int status = 0;
        const std::set<std::string> dlls = ImportedDlls(kProgramDir + "/" + stub, status);
        EXPECT_EQ(status, 0) << stub;
        EXPECT_TRUE(dlls.contains("kernel32.dll")) << stub << ": objdump read no import table";
        for (const std::string& dll : dlls) {
            EXPECT_TRUE(system.contains(dll) || dll.starts_with("api-ms-win-crt-"))
                << stub << " imports " << dll << ", which Windows does not bring";
        }
    }
}

// The program icon is where the Windows shell looks, a resource, which lies past the bytes
// the Linux stub keeps it in (the reader is larger with its C++ run-time linked in): the icon
// patch finds it through the resource table.
TEST(WindowsStubsTest, ReaderStubCarriesTheStockIconAsItsProgramIcon) {
    FileInput stub;
    ASSERT_TRUE(stub.Open(kProgramDir + "/eview.exe.dat"));
    const std::optional<PeIconPlace> icon = FindPeIcon(stub);
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(ReadPeIconFile(stub), ReadWholeFile(kProgramDir + "/icons/Books/idr_main.ico"));
    const IconWindow window = IconWindowOf(kProgramDir + "/eview.exe.dat");
    EXPECT_EQ(window.offset + 22, icon->imageOffset);
    EXPECT_EQ(window.size, 766u);
    std::printf("The Windows reader stub's icon image lies at byte %llu of %llu.\n",
                static_cast<unsigned long long>(icon->imageOffset),
                static_cast<unsigned long long>(stub.Size()));
}

// A Wine prefix of the suite's own, made once: Wine never touches the user's.
class WineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        prefix_ = std::make_unique<TempDir>();
        int status = 0;
        const std::string out =
            RunCommand(WineEnvironment() + " timeout 300 wineboot --init 2>&1", status);
        ASSERT_EQ(status, 0) << out;
        RunCommand(WineEnvironment() + " wineserver -w", status);
    }

    static void TearDownTestSuite() {
        int status = 0;
        RunCommand(WineEnvironment() + " wineserver -k 2>/dev/null", status);
        prefix_.reset();
    }

    // Headless, quiet, no Mono or Gecko to install, no browser to start.
    static std::vector<std::string> WineVariables() {
        return {"WINEPREFIX=" + prefix_->path(),
                "WINEDEBUG=-all",
                "WINEDLLOVERRIDES=mscoree,mshtml=",
                "BROWSER=true",
                "DISPLAY=",
                "WAYLAND_DISPLAY="};
    }

    static std::string WineEnvironment() {
        std::string env = "env";
        for (const std::string& v : WineVariables()) {
            env += " " + Quote(v);
        }
        return env;
    }

    static std::string DriveC() { return prefix_->path() + "/drive_c"; }

    TempDir dir;

private:
    static std::unique_ptr<TempDir> prefix_;
};

std::unique_ptr<TempDir> WineTest::prefix_;

TEST_F(WineTest, BookServesItsPagesToTheLinuxSide) {
    const std::string path = dir.File("lighthouse.exe");
    ASSERT_EQ(WriteServedBook(dir, path, ServedBookSettings(), "eview.exe.dat"), "");
    ReaderProcess reader;
    reader.runner = {kWine};
    reader.driveC = DriveC();
    std::vector<std::string> env = WineVariables();
    env.push_back("NBX_READER_IDLE_MS=60000");
    ASSERT_TRUE(reader.Start(path, env)) << reader.printed;
    // The browser was handed the private page in the user's own %TEMP%, never the secret.
    EXPECT_TRUE(reader.printed.starts_with("file:///C:/")) << reader.printed;
    EXPECT_EQ(reader.printed.find(reader.token), std::string::npos);
    ASSERT_EQ(reader.token.size(), 32u);
    ASSERT_NE(reader.pagePort, reader.port);

    const std::string b = reader.base;
    const std::string pageHost = "Host: 127.0.0.1:" + std::to_string(reader.pagePort) + "\r\n";
    struct Case {
        std::string what;
        std::uint16_t port;
        std::string raw;
        int status;
        std::string contains;
    };
    const Case cases[] = {
        {"the first page", reader.pagePort,
         "GET " + b + "/book/index.html HTTP/1.1\r\n" + pageHost + "\r\n", 200,
         "The Lighthouse Book"},
        {"a picture", reader.pagePort,
         "GET " + b + "/book/images/red.png HTTP/1.1\r\n" + pageHost + "\r\n", 200, RedPng()},
        {"the Contents", reader.pagePort,
         "GET " + b + "/system/contents HTTP/1.1\r\n" + pageHost + "\r\n", 200,
         "href=\"" + b + "/book/keeper.htm\">The Keeper"},
        {"a search", reader.pagePort,
         "GET " + b + "/system/search?q=climbs+tower HTTP/1.1\r\n" + pageHost + "\r\n", 200,
         "keeper.htm"},
        {"no secret", reader.pagePort, "GET /book/index.html HTTP/1.1\r\n" + pageHost + "\r\n", 403,
         ""},
        {"a wrong secret", reader.pagePort,
         "GET /" + std::string(32, '0') + "/book/index.html HTTP/1.1\r\n" + pageHost + "\r\n", 403,
         ""},
        {"a wrong Host", reader.pagePort,
         "GET " + b + "/book/index.html HTTP/1.1\r\nHost: attacker.test\r\n\r\n", 403, ""},
        {"the used-up launch address", reader.port,
         "GET " + reader.launchAddress.substr(reader.launchAddress.find('/', 7)) +
             " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(reader.port) + "\r\n\r\n",
         403, ""},
    };
    for (const Case& c : cases) {
        const HttpAnswer a = SendRaw(c.port, c.raw);
        EXPECT_EQ(a.status, c.status) << c.what;
        EXPECT_NE(a.body.find(c.contains), std::string::npos) << c.what << ": " << a.body;
    }
    // The launch page has gone from %TEMP% once it was used.
    EXPECT_FALSE(std::filesystem::exists(DriveC() + reader.printed.substr(10)));
}

TEST_F(WineTest, RebranderSetChangesWhatInspectReads) {
    const std::string bookPath = dir.File("pond.exe");
    const std::string rebranderPath = dir.File("rebrand-pond.exe");
    BuildSettings settings;
    settings.title = "Pond Life";
    std::vector<TestBookFile> files = ReaderDataFiles(kProgramDir);
    files.push_back({"index.html", "<p>[={Shop}]</p>", ""});
    ASSERT_EQ(WriteTestBook(dir, kProgramDir + "/eview.exe.dat", bookPath, settings, files,
                            {{"Shop", "Your shop", "none", 1, 0}}, 1730000000),
              "");
    RebranderRecord record;
    record.ebookFileName = "pond.exe";
    record.rebranderTitle = "Rebrand Pond Life";
    ASSERT_TRUE(WriteTestRebrander(rebranderPath, ReadWholeFile(kProgramDir + "/rebrand.exe.dat"),
                                   record, 1730000000));
    int status = 0;
    const std::string out = RunCommand(WineEnvironment() + " " + kWine + " " +
                                           Quote(rebranderPath) + " --set 'Shop=Frog & Newt' 2>&1",
                                       status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("holds the new values"), std::string::npos) << out;

    const std::string json =
        RunCommand(kProgramDir + "/tamselc inspect " + Quote(bookPath), status);
    ASSERT_EQ(status, 0) << json;
    const nlohmann::json inspected = nlohmann::json::parse(json, nullptr, false);
    ASSERT_FALSE(inspected.is_discarded()) << json;
    ASSERT_EQ(inspected["variables"].size(), 1u);
    EXPECT_EQ(inspected["variables"][0]["value"], "Frog & Newt");
}

// The compiler builds a Windows book from a name ending in ".exe" (in any case), with the
// author's icon as the program icon the Windows shell shows.
TEST(WindowsBookBuildTest, ExeNameMakesAWindowsBookWithTheAuthorsIcon) {
    TempDir dir;
    const std::string project = dir.File("garden.nxp");
    std::filesystem::copy_file(NBX_TEST_SOURCE_DIR "/examples/sample/sample.nxp", project);
    std::filesystem::copy(NBX_TEST_SOURCE_DIR "/examples/sample/source", dir.File("source"));
    std::filesystem::copy(NBX_TEST_SOURCE_DIR "/examples/sample/include", dir.File("include"));
    std::string authorsIcon;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(kProgramDir + "/icons")) {
        if (entry.path().extension() == ".ico" && entry.path().filename() != "idr_main.ico") {
            authorsIcon = entry.path().string();
            break;
        }
    }
    ASSERT_FALSE(authorsIcon.empty());
    const std::string book = dir.File("Garden.EXE");
    int status = 0;
    const std::string tamselc = kProgramDir + "/tamselc ";
    std::string out =
        RunCommand(tamselc + "set " + Quote(project) + " " + Quote("outputExe=" + book) + " " +
                       Quote("iconFile=" + authorsIcon) + " 2>&1",
                   status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_NE(out.find("Windows program"), std::string::npos) << out;
    out = RunCommand(tamselc + "build " + Quote(project) + " --yes 2>&1", status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_NE(out.find("Windows program"), std::string::npos) << out;

    FileInput built;
    ASSERT_TRUE(built.Open(book));
    EXPECT_EQ(ReadPeIconFile(built), ReadWholeFile(authorsIcon));
    out = RunCommand(tamselc + "inspect " + Quote(book) + " 2>&1", status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("index.htm"), std::string::npos) << out;
}

}  // namespace
}  // namespace nbx::test

// ReaderOpenBench [WORK_DIR]: how long the reader takes to show a book's first page, for a
// 1 MB book and a 1 GB book built the way the compiler builds them. The reader reads the
// trailer, the records and the index page only, so the two should take about as long;
// `cat` of each file (reading all of it) is the standard tool beside them. Cold runs drop
// the book from the page cache first. Medians of five runs; the books are deleted after.

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "compile/FillBuildSettings.h"
#include "eview/ReaderWindow.h"
#include "project/ProjectSettings.h"
#include "reader/ReaderBook.h"
#include "support/RecordingPrompter.h"
#include "support/TestBook.h"

using nbx::bench::MedianSeconds;

namespace {

void DropFromCache(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fdatasync(fd);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

// Opens the book in the reader's window and draws its first page.
void ShowFirstPage(const std::string& path) {
    nbx::reader::ReaderBook book;
    if (!book.Open(path)) {
        std::fprintf(stderr, "cannot open %s: %s\n", path.c_str(), book.error().c_str());
        std::exit(1);
    }
    nbx::test::RecordingPrompter prompter;
    nbx::eview::ReaderWindow window(book, prompter, {});
    window.showAsBook();
    QApplication::processEvents();
    if (window.grab().isNull() || window.currentEntry() < 0) {
        std::fprintf(stderr, "%s: no first page\n", path.c_str());
        std::exit(1);
    }
}

std::string RandomBytes(std::mt19937& rng, std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i + 4 <= size; i += 4) {
        const std::uint32_t v = rng();
        bytes[i] = static_cast<char>(v);
        bytes[i + 1] = static_cast<char>(v >> 8);
        bytes[i + 2] = static_cast<char>(v >> 16);
        bytes[i + 3] = static_cast<char>(v >> 24);
    }
    return bytes;
}

// The cover picture of the first page, the same in both books.
std::string CoverPicture() {
    QImage image(320, 200, QImage::Format_RGB32);
    image.fill(QColor("#2A6FB0"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// A book of ten pages, the first with a cover picture, the others each with one of
// `pictures` photographs of pictureSize bytes.
std::string MakeBook(const std::string& dir, const std::string& name, std::size_t pictures,
                     std::size_t pictureSize) {
    std::mt19937 rng(7);
    std::vector<nbx::test::TestBookFile> files = nbx::test::ReaderDataFiles(NBX_PROGRAM_DIR);
    std::string pageList;
    for (std::size_t i = 0; i < 10; ++i) {
        const std::string page = i == 0 ? "index.html" : "page" + std::to_string(i) + ".htm";
        pageList += "<p><a href=\"" + page + "\">Chapter " + std::to_string(i) + "</a></p>";
    }
    for (std::size_t i = 0; i < 10; ++i) {
        const std::string page = i == 0 ? "index.html" : "page" + std::to_string(i) + ".htm";
        nbx::test::TestBookFile f{
            page,
            "<html><body><h1>Chapter " + std::to_string(i) + "</h1>" + pageList + "<img src=\"" +
                (i == 0 ? "cover.png" : "photo" + std::to_string(i) + ".jpg") + "\"></body></html>",
            "Chapter " + std::to_string(i)};
        f.orderKey = std::to_string(10001000 + i);
        files.push_back(f);
    }
    files.push_back({"cover.png", CoverPicture(), ""});
    for (std::size_t i = 0; i < pictures; ++i) {
        files.push_back({"photo" + std::to_string(i) + ".jpg", RandomBytes(rng, pictureSize), ""});
    }
    nbx::ProjectSettings project;
    project.title = name;
    const nbx::BuildSettings settings =
        nbx::FillBuildSettings(project, "/opt/tamsel", std::string(NBX_PROGRAM_DIR) + "/eview.dat",
                               {2024, 1, 1, 12, 0, 0, 1});
    const std::string output = dir + "/" + name;
    nbx::test::TempDir work;
    const std::string error = nbx::test::WriteTestBook(
        work, std::string(NBX_PROGRAM_DIR) + "/eview.dat", output, settings, files);
    if (!error.empty()) {
        std::fprintf(stderr, "cannot build %s: %s\n", output.c_str(), error.c_str());
        std::exit(1);
    }
    return output;
}

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const std::string dir = argc > 1 ? argv[1] : "/tmp/nbx-reader-bench";
    std::filesystem::create_directories(dir);

    std::printf("building the books in %s ...\n", dir.c_str());
    const std::string small = MakeBook(dir, "book-1mb", 4, 256 * 1024);
    const std::string large = MakeBook(dir, "book-1gb", 100, 10 * 1024 * 1024);

    struct Row {
        const char* what;
        std::string path;
    };
    const Row rows[] = {{"1 MB book", small}, {"1 GB book", large}};
    double coldOpen[2] = {}, warmOpen[2] = {}, cat[2] = {};
    for (int i = 0; i < 2; ++i) {
        const std::string& path = rows[i].path;
        coldOpen[i] = MedianSeconds([&] { ShowFirstPage(path); }, [&] { DropFromCache(path); });
        ShowFirstPage(path);
        warmOpen[i] = MedianSeconds([&] { ShowFirstPage(path); });
        cat[i] = MedianSeconds([&] { std::system(("cat '" + path + "' >/dev/null").c_str()); },
                               [&] { DropFromCache(path); });
        std::printf(
            "%-10s %10.0f bytes  first page cold %7.1f ms, warm %7.1f ms   "
            "cat cold %8.1f ms   first page / cat %.3f\n",
            rows[i].what, static_cast<double>(std::filesystem::file_size(path)), coldOpen[i] * 1000,
            warmOpen[i] * 1000, cat[i] * 1000, coldOpen[i] / cat[i]);
    }
    std::printf("1 GB / 1 MB first page: cold %.2f, warm %.2f\n", coldOpen[1] / coldOpen[0],
                warmOpen[1] / warmOpen[0]);
    std::filesystem::remove(small);
    std::filesystem::remove(large);
    std::error_code ignored;
    std::filesystem::remove(dir, ignored);  // only when nothing else is in it
    return 0;
}

// Rebrands a large e-book (a new value written in, the e-book written anew through a
// temporary file and renamed over the old one) against standard tools doing the same amount
// of work on the same file: dd copying it with conv=fsync, and the safe replacement a careful
// script would make (cp to a temporary file, sync it, mv it over the e-book). Prints the
// medians of five warm runs of each and the ratios.
//
// Usage: RebrandBench [megabytes]   (default 1024)

#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "format/ArchiveRecordWriter.h"
#include "format/RecordFormat.h"
#include "platform/FileHandle.h"
#include "platform/Paths.h"
#include "platform/TempFiles.h"
#include "rebranding/EBookRebrander.h"

namespace {

using nbx::platform::FileHandle;

std::string Record(const std::function<void(nbx::RecordStreamWriter&)>& write) {
    std::string out;
    nbx::StringSink sink(out);
    nbx::RecordStreamWriter w(sink);
    write(w);
    w.Flush();
    return out;
}

// An e-book whose content data is one stored entry of megabytes of random bytes; false when
// it cannot be written.
bool WriteBook(const std::string& path, std::size_t megabytes, std::uint32_t buildTime) {
    FileHandle f;
    if (!f.Open(path, FileHandle::Mode::CreateTruncate)) {
        return false;
    }
    const std::string stub(300000, 'S');
    nbx::ArchiveTrailer t;
    t.buildTime = buildTime;
    nbx::DirectoryEntry entry;
    entry.name = "photos.bin";
    entry.storedLength = static_cast<std::int32_t>(megabytes << 20);
    nbx::BuildSettings settings;
    settings.title = "Large";
    settings.entryCount = 1;
    std::string head = stub;
    t.settingsOffset = static_cast<std::int32_t>(head.size());
    head += Record([&](auto& w) { nbx::WriteSettingsRecord(w, settings); });
    t.directoryOffset = static_cast<std::int32_t>(head.size());
    head += Record([&](auto& w) { nbx::WriteDirectory(w, {entry}); });
    t.contentOffset = static_cast<std::int32_t>(head.size());
    if (!f.Write(head.data(), head.size())) {
        return false;
    }
    std::mt19937_64 gen(1);
    std::vector<std::uint64_t> chunk((1 << 20) / 8);
    for (std::size_t i = 0; i < megabytes; ++i) {
        for (auto& w : chunk) {
            w = gen();
        }
        if (!f.Write(chunk.data(), 1 << 20)) {
            return false;
        }
    }
    t.variablesOffset = t.contentOffset + entry.storedLength;
    const std::string tail = Record([&](auto& w) {
        nbx::WriteVariablesTable(w, {{"Shop", "Your shop", "none", 1, 0}});
        nbx::WriteArchiveTrailer(w, t);
    });
    return f.Write(tail.data(), tail.size());
}

bool WriteRebrander(const std::string& path, const std::string& bookName, std::uint32_t buildTime) {
    nbx::RebranderRecord record;
    record.ebookFileName = bookName;
    nbx::RebranderTrailer trailer{buildTime, 4};
    const std::string bytes = "STUB" + Record([&](auto& w) {
                                  nbx::WriteRebranderRecord(w, record);
                                  nbx::WriteRebranderTrailer(w, trailer);
                              });
    FileHandle f;
    return f.Open(path, FileHandle::Mode::CreateTruncate) && f.Write(bytes.data(), bytes.size());
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <class F>
double Seconds(F run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1024;
    if (megabytes == 0 || megabytes > 2000) {
        std::fprintf(stderr, "megabytes must be 1 to 2000 (an e-book stays below 2 GB)\n");
        return 2;
    }
    const std::string folder =
        nbx::platform::JoinPath(nbx::platform::TempFolder(), "nbx-rebrand-bench");
    std::system(("rm -rf '" + folder + "' && mkdir -p '" + folder + "'").c_str());
    const std::string book = nbx::platform::JoinPath(folder, "book");
    const std::string copy = nbx::platform::JoinPath(folder, "copy");
    const std::string rebrander = nbx::platform::JoinPath(folder, "rebrand");
    const std::uint32_t buildTime = 1700000000;
    if (!WriteBook(book, megabytes, buildTime) || !WriteRebrander(rebrander, "book", buildTime)) {
        std::fprintf(stderr, "cannot write the e-book in %s\n", folder.c_str());
        return 1;
    }

    const std::string dd = "dd if='" + book + "' of='" + copy + "' bs=1M conv=fsync status=none";
    const std::string replace = "cp '" + book + "' '" + copy + "' && sync '" + copy + "' && mv '" +
                                copy + "' '" + book + "'";
    std::vector<double> ours, byDd, byReplace;
    bool ok = true;
    for (int run = 0; run < 5 && ok; ++run) {
        ours.push_back(Seconds([&] {
            nbx::EBookRebrander r;
            ok = r.Open(rebrander) && r.SetValues({{"Shop", "run " + std::to_string(run)}});
            if (!ok) {
                std::fprintf(stderr, "%s\n", r.error().c_str());
            }
        }));
        byDd.push_back(Seconds([&] { ok = ok && std::system(dd.c_str()) == 0; }));
        byReplace.push_back(Seconds([&] { ok = ok && std::system(replace.c_str()) == 0; }));
    }
    std::system(("rm -rf '" + folder + "'").c_str());
    if (!ok) {
        return 1;
    }
    const double a = Median(ours), b = Median(byDd), c = Median(byReplace);
    std::printf(
        "e-book of %zu MB: rebrand %.3f s; dd conv=fsync %.3f s (ratio %.2f); "
        "cp + sync + mv %.3f s (ratio %.2f)\n",
        megabytes, a, b, a / b, c, a / c);
    return 0;
}

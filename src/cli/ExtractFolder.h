#pragma once
// The folder `tamselc extract` writes a book's tree into. Each file is created through a
// descriptor of its folder (one per folder, opened once), never through a symbolic link: a
// folder on the way that is a link is refused, and a name that is already there (a link, a
// hard link or a file) is replaced by a rename, never written through. Nothing is flushed to
// disk file by file.

#include <map>
#include <string>
#include <string_view>

namespace nbx::cli {

class ExtractFolder {
public:
    enum class Outcome { Written, LinkInTheWay, Failed };

    ExtractFolder() = default;
    ~ExtractFolder();
    ExtractFolder(const ExtractFolder&) = delete;
    ExtractFolder& operator=(const ExtractFolder&) = delete;

    // Opens the folder, creating it and the folders above it when missing. False with error().
    bool Open(const std::string& root);
    // Writes bytes as name, a plain relative path with '/' between folders, making the
    // folders below the root that are missing. Failed leaves error() set.
    Outcome Write(std::string_view name, std::string_view bytes);
    int error() const { return error_; }

private:
    // The descriptor of a folder below the root ("" is the root), or -1.
    int Folder(std::string_view relative, Outcome& why);
    bool WriteFile(int folder, const std::string& leaf, std::string_view bytes);

    std::map<std::string, int, std::less<>> folders_;
    unsigned counter_ = 0;
    int error_ = 0;
};

}  // namespace nbx::cli

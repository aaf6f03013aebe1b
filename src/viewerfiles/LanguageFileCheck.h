#pragma once
// The language file check: a file passes when it reads whole and the value of key 1 is
// exactly "4.22". The build runs it on the project's language before it touches the output;
// the language editor runs it before it copies a language.
//
// The check remembers the last file it checked and its result, so a build series does not
// read the same file for every book. The memory is keyed by the path and by the file's
// identity (device, inode, size, modification time): a file that was replaced or changed
// since is read again, so a repaired file passes and a damaged one fails at once.

#include <cstdint>
#include <string>

namespace nbx {

class LanguageFileChecker {
public:
    bool Check(const std::string& path);
    // How many times Check read a file rather than answering from its memory.
    int filesRead() const { return filesRead_; }

private:
    struct Identity {
        bool exists = false;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        bool operator==(const Identity&) const = default;
    };
    static Identity IdentityOf(const std::string& path);

    bool remembered_ = false;
    std::string lastPath_;
    Identity lastIdentity_;
    bool lastResult_ = false;
    int filesRead_ = 0;
};

// The program's one checker, shared by every caller for the life of the program.
bool CheckLanguageFile(const std::string& path);

}  // namespace nbx

#pragma once
// A temporary folder that is removed with everything in it when the test ends.

#include <string>
#include <string_view>

namespace nbx::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + separator + name
    std::string File(std::string_view name) const;
    // Writes a file below the folder (creating sub-folders) and returns its full path.
    std::string Write(std::string_view name, std::string_view bytes) const;

private:
    std::string path_;
};

std::string ReadWholeFile(const std::string& path);

}  // namespace nbx::test

#pragma once
// Shared libraries loaded at run time (dlopen). Copying is not allowed: one object, one load.

#include <string>

namespace nbx::platform {

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary() { Close(); }
    DynamicLibrary(DynamicLibrary&& other) noexcept : handle_(other.handle_) {
        other.handle_ = nullptr;
    }
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Loads the library at path. False (with the loader's reason in error()) when it cannot.
    bool Open(const std::string& path);
    // The address of an exported symbol, or null.
    void* Symbol(const char* name) const;
    void Close();

    bool IsOpen() const { return handle_ != nullptr; }
    const std::string& error() const { return error_; }

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace nbx::platform

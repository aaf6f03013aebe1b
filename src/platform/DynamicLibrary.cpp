#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

namespace nbx::platform {

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        other.handle_ = nullptr;
    }
    return *this;
}

bool DynamicLibrary::Open(const std::string& path) {
    Close();
    // RTLD_NOW: a library with unresolved symbols is refused here, not at its first call.
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = ::dlerror();
        error_ = reason ? reason : "unknown error";
        return false;
    }
    error_.clear();
    return true;
}

void* DynamicLibrary::Symbol(const char* name) const {
    return handle_ ? ::dlsym(handle_, name) : nullptr;
}

void DynamicLibrary::Close() {
    if (handle_) {
        ::dlclose(handle_);
        handle_ = nullptr;
    }
}

}  // namespace nbx::platform

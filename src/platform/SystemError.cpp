#include "platform/SystemError.h"

#include <system_error>

namespace nbx::platform {

std::string SystemErrorText(int code) {
#ifdef _WIN32
    // The platform layer keeps errno values on Windows too; the system's own category there
    // would read them as Win32 error codes.
    return std::generic_category().message(code);
#else
    return std::system_category().message(code);
#endif
}

}  // namespace nbx::platform

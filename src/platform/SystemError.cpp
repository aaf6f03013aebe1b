#include "platform/SystemError.h"

#include <system_error>

namespace nbx::platform {

std::string SystemErrorText(int code) {
    return std::system_category().message(code);
}

}  // namespace nbx::platform

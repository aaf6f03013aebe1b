#pragma once
#include <string>

namespace nbx::platform {

// The system's own text for an error number (errno), as the reports quote it.
std::string SystemErrorText(int code);

}  // namespace nbx::platform

#pragma once
// Secrets for the served reader's addresses: 128 random bits from the kernel, in hex.

#include <string>

namespace nbx::platform {

// 32 hexadecimal digits of the kernel's random bytes; empty when none could be had (the
// caller then refuses to serve rather than use a guessable one).
std::string RandomToken();

}  // namespace nbx::platform

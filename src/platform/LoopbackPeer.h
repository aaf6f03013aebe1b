#pragma once
// Who is at the other end of a loopback connection. Every local user can connect to
// 127.0.0.1, so a server that is one user's own asks the kernel which user's socket made
// the connection before it answers anything.

#include <sys/types.h>

#include <optional>

namespace nbx::platform {

// The user that owns the socket at the other end of the connected IPv4 loopback socket fd,
// or nothing when the system cannot tell (no socket diagnostics, not a loopback peer).
std::optional<uid_t> LoopbackPeerUser(int fd);

}  // namespace nbx::platform

#pragma once
// Who is at the other end of a loopback connection. Every local user can connect to
// 127.0.0.1, so a server that is one user's own asks the kernel which user's socket made
// the connection before it answers anything.

#include <cstdint>
#include <optional>

#include "platform/SocketCalls.h"

namespace nbx::platform {

using UserId = std::uint32_t;

// The user this process runs as, where the system can tell a peer's user (else nothing).
std::optional<UserId> ThisUser();

// The user that owns the socket at the other end of the connected IPv4 loopback socket fd,
// or nothing when the system cannot tell (no socket diagnostics, not a loopback peer,
// Windows).
std::optional<UserId> LoopbackPeerUser(SocketHandle fd);

}  // namespace nbx::platform

#include "platform/LoopbackPeer.h"

#ifdef _WIN32

namespace nbx::platform {

// Windows has no socket diagnostics that name the user of a loopback peer: every local
// process is answered, and the secret in the address is what keeps other users out.
std::optional<UserId> LoopbackPeerUser(SocketHandle) {
    return std::nullopt;
}

std::optional<UserId> ThisUser() {
    return std::nullopt;
}

}  // namespace nbx::platform

#else

#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace nbx::platform {

std::optional<UserId> ThisUser() {
    return ::geteuid();
}

std::optional<UserId> LoopbackPeerUser(SocketHandle fd) {
    sockaddr_in local{};
    sockaddr_in peer{};
    socklen_t localLength = sizeof local;
    socklen_t peerLength = sizeof peer;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) != 0 ||
        ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0 ||
        local.sin_family != AF_INET || peer.sin_family != AF_INET) {
        return std::nullopt;
    }
    // The peer's socket is the one whose source is the peer's address and whose destination
    // is ours: the kernel looks it up by that exact pair.
    struct {
        nlmsghdr header;
        inet_diag_req_v2 request;
    } query{};
    query.header.nlmsg_len = sizeof query;
    query.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    query.header.nlmsg_flags = NLM_F_REQUEST;
    query.request.sdiag_family = AF_INET;
    query.request.sdiag_protocol = IPPROTO_TCP;
    query.request.idiag_states = ~0u;
    query.request.id.idiag_sport = peer.sin_port;
    query.request.id.idiag_dport = local.sin_port;
    query.request.id.idiag_src[0] = peer.sin_addr.s_addr;
    query.request.id.idiag_dst[0] = local.sin_addr.s_addr;
    query.request.id.idiag_cookie[0] = INET_DIAG_NOCOOKIE;
    query.request.id.idiag_cookie[1] = INET_DIAG_NOCOOKIE;
    const int link = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG);
    if (link < 0) {
        return std::nullopt;
    }
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    timeval limit{1, 0};
    ::setsockopt(link, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    alignas(nlmsghdr) char answer[4096];
    ssize_t n = -1;
    if (::sendto(link, &query, sizeof query, 0, reinterpret_cast<sockaddr*>(&kernel),
                 sizeof kernel) == static_cast<ssize_t>(sizeof query)) {
        n = ::recv(link, answer, sizeof answer, 0);
    }
    ::close(link);
    if (n < 0) {
        return std::nullopt;
    }
    const auto* header = reinterpret_cast<const nlmsghdr*>(answer);
    if (!NLMSG_OK(header, static_cast<std::size_t>(n)) ||
        header->nlmsg_type != SOCK_DIAG_BY_FAMILY ||
        header->nlmsg_len < NLMSG_LENGTH(sizeof(inet_diag_msg))) {
        return std::nullopt;
    }
    const auto* found = static_cast<const inet_diag_msg*>(NLMSG_DATA(header));
    if (found->id.idiag_sport != peer.sin_port || found->id.idiag_dport != local.sin_port) {
        return std::nullopt;
    }
    return static_cast<UserId>(found->idiag_uid);
}

}  // namespace nbx::platform

#endif  // _WIN32

#pragma once
// The socket calls of the loopback server whose spelling differs between POSIX and Winsock,
// so that the server is one source on both systems. Errors come back as errno values
// (EAGAIN, EINTR, EMFILE ...) on both.

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <cerrno>

namespace nbx::platform {

#ifdef _WIN32
using SocketHandle = SOCKET;
inline constexpr SocketHandle kNoSocket = INVALID_SOCKET;
inline constexpr int kSendNoSignal = 0;
inline constexpr int kSendMore = 0;
inline constexpr int kShutWrite = SD_SEND;

// Winsock's error of the last call, as the errno value the server tests.
inline int SocketError() {
    switch (::WSAGetLastError()) {
        case WSAEWOULDBLOCK:
            return EAGAIN;
        case WSAEINTR:
            return EINTR;
        case WSAEMFILE:
            return EMFILE;
        case WSAENOBUFS:
            return ENOBUFS;
        default:
            return EIO;
    }
}

// Winsock is started once, before the first socket; it stays up for the process's life.
inline bool StartSockets() {
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

inline void CloseSocket(SocketHandle s) {
    ::closesocket(s);
}

inline bool SetNonBlocking(SocketHandle s, bool on) {
    u_long mode = on ? 1 : 0;
    return ::ioctlsocket(s, FIONBIO, &mode) == 0;
}

// A socket that programs the reader starts do not inherit.
inline void KeepFromChildren(SocketHandle s) {
    ::SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
}

inline SocketHandle NewStreamSocket() {
    if (!StartSockets()) {
        errno = ENOBUFS;
        return kNoSocket;
    }
    const SocketHandle s =
        ::WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (s == kNoSocket) {
        errno = SocketError();
        return kNoSocket;
    }
    // Nobody else may bind our port while we listen on it.
    BOOL exclusive = TRUE;
    ::setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive),
                 sizeof exclusive);
    SetNonBlocking(s, true);
    return s;
}

inline SocketHandle AcceptNonBlocking(SocketHandle listener) {
    const SocketHandle s = ::accept(listener, nullptr, nullptr);
    if (s == kNoSocket) {
        errno = SocketError();
        return kNoSocket;
    }
    KeepFromChildren(s);
    SetNonBlocking(s, true);
    return s;
}

inline void SetSendTimeoutSeconds(SocketHandle s, int seconds) {
    DWORD ms = static_cast<DWORD>(seconds) * 1000;
    ::setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms);
}

inline int PollSockets(pollfd* fds, std::size_t count, int timeoutMs) {
    const int n = ::WSAPoll(fds, static_cast<ULONG>(count), timeoutMs);
    if (n < 0) {
        errno = SocketError();
    }
    return n;
}

inline long ReceiveSome(SocketHandle s, char* buffer, std::size_t size) {
    const int n = ::recv(s, buffer, static_cast<int>(size), 0);
    if (n < 0) {
        errno = SocketError();
    }
    return n;
}

inline long SendSome(SocketHandle s, const char* data, std::size_t size, int flags) {
    const int n = ::send(s, data, static_cast<int>(size), flags);
    if (n < 0) {
        errno = SocketError();
    }
    return n;
}
#else
using SocketHandle = int;
inline constexpr SocketHandle kNoSocket = -1;
inline constexpr int kSendNoSignal = MSG_NOSIGNAL;
inline constexpr int kSendMore = MSG_MORE;
inline constexpr int kShutWrite = SHUT_WR;

inline int SocketError() {
    return errno;
}

inline bool StartSockets() {
    return true;
}

inline void CloseSocket(SocketHandle s) {
    ::close(s);
}

inline bool SetNonBlocking(SocketHandle s, bool on) {
    const int flags = ::fcntl(s, F_GETFL);
    return ::fcntl(s, F_SETFL, on ? flags | O_NONBLOCK : flags & ~O_NONBLOCK) == 0;
}

inline SocketHandle NewStreamSocket() {
    return ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

inline SocketHandle AcceptNonBlocking(SocketHandle listener) {
    return ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
}

inline void SetSendTimeoutSeconds(SocketHandle s, int seconds) {
    timeval limit{seconds, 0};
    ::setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
}

inline int PollSockets(pollfd* fds, std::size_t count, int timeoutMs) {
    return ::poll(fds, count, timeoutMs);
}

inline long ReceiveSome(SocketHandle s, char* buffer, std::size_t size) {
    return ::recv(s, buffer, size, 0);
}

inline long SendSome(SocketHandle s, const char* data, std::size_t size, int flags) {
    return ::send(s, data, size, flags);
}
#endif

}  // namespace nbx::platform

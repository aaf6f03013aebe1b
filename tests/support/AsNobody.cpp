#include "support/AsNobody.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace nbx::test {

std::string RunAsNobody(const std::function<std::string()>& body) {
    uid_t uid = 65534;
    gid_t gid = 65534;
    if (const passwd* pw = ::getpwnam("nobody")) {
        uid = pw->pw_uid;
        gid = pw->pw_gid;
    }
    int fds[2];
    if (::pipe(fds) != 0) {
        return "child failed: no pipe";
    }
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        std::string result = "child failed: cannot drop privileges";
        if (::setgroups(0, nullptr) == 0 && ::setresgid(gid, gid, gid) == 0 &&
            ::setresuid(uid, uid, uid) == 0) {
            result = body();
        }
        const char* p = result.data();
        std::size_t left = result.size();
        while (left > 0) {
            const ssize_t n = ::write(fds[1], p, left);
            if (n <= 0) {
                break;
            }
            p += n;
            left -= static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    if (child < 0) {
        ::close(fds[0]);
        return "child failed: no fork";
    }
    std::string result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) {
        result.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return "child failed: died";
    }
    return result;
}

void OpenToEveryone(const std::string& path) {
    std::string at = path;
    while (at.size() > 1) {
        struct stat st {};
        if (::stat(at.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & 0005) != 0005) {
            ::chmod(at.c_str(), (st.st_mode & 07777) | 0755);
        }
        const std::size_t slash = at.rfind('/');
        if (slash == std::string::npos || slash == 0) {
            break;
        }
        at.resize(slash);
    }
}

}  // namespace nbx::test

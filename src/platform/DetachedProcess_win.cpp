// Windows: a program starts with CreateProcessW and runs on its own; nothing is left to reap.
#ifdef _WIN32

#include "platform/DetachedProcess.h"

namespace nbx::platform {

namespace {

// A word quoted the way the C run-time splits a command line again.
std::wstring QuotedWord(const std::string& word) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : Utf8ToWide(word)) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

}  // namespace

DetachedStart StartProgramDetached(const std::vector<std::string>& command,
                                   const DetachedOptions& options) {
    DetachedStart started;
    std::wstring line;
    for (const std::string& w : command) {
        line += (line.empty() ? L"" : L" ") + QuotedWord(w);
    }
    for (const std::string& variable : options.environment) {
        ::_putenv(variable.c_str());  // inherited by the program; this process ends soon
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(options.searchPath ? nullptr : Utf8ToWide(command[0]).c_str(),
                          line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        started.error = ErrnoOf(::GetLastError());
        return started;
    }
    if (options.waitMs > 0 &&
        ::WaitForSingleObject(process.hProcess, static_cast<DWORD>(options.waitMs)) ==
            WAIT_OBJECT_0) {
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        started.exited = true;
        started.waitStatus = static_cast<int>(code);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return started;
}

}  // namespace nbx::platform

#endif  // _WIN32

#if defined(_WIN32)

#include <windows.h>

#include "core/text/wide_text.h"
#include "core/util/child_process.h"

namespace quindle {
namespace {

// How long the end of a ChildProcess waits before it ends the program.
constexpr DWORD kEndGraceMs = 3000;

// One argument quoted the way the C runtime splits a command line back.
std::wstring QuoteArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"')
            out.append(backslashes * 2 + 1, L'\\');
        else
            out.append(backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    out += L'"';
    return out;
}

}  // namespace

struct ChildProcess::Handles {
    HANDLE process = nullptr;
    DWORD id = 0;
    HANDLE input = nullptr;   // the program's standard input, our writing end
    HANDLE output = nullptr;  // the program's standard output, our reading end
};

Result<std::unique_ptr<ChildProcess>> ChildProcess::Start(const std::vector<std::string>& command) {
    if (command.empty() || command.front().empty()) return Error{"no program to start"};
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE inRead = nullptr, inWrite = nullptr, outRead = nullptr, outWrite = nullptr;
    if (!CreatePipe(&inRead, &inWrite, &inherit, 0)) return Error{"cannot make a pipe"};
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0)) {
        CloseHandle(inRead);
        CloseHandle(inWrite);
        return Error{"cannot make a pipe"};
    }
    // Only the program's ends are inherited.
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);

    std::wstring line;
    for (const std::string& word : command) {
        if (!line.empty()) line += L' ';
        line += QuoteArgument(WideFromUtf8(word));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead;
    startup.hStdOutput = outWrite;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &info);
    const DWORD startError = GetLastError();
    CloseHandle(inRead);
    CloseHandle(outWrite);
    if (!started) {
        CloseHandle(inWrite);
        CloseHandle(outRead);
        return Error{"cannot start " + command.front() + " (error " + std::to_string(startError) +
                     ")"};
    }
    CloseHandle(info.hThread);
    auto handles = std::make_unique<Handles>();
    handles->process = info.hProcess;
    handles->id = info.dwProcessId;
    handles->input = inWrite;
    handles->output = outRead;
    return std::unique_ptr<ChildProcess>(new ChildProcess(std::move(handles)));
}

ChildProcess::ChildProcess(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}

ChildProcess::~ChildProcess() {
    CloseHandle(handles_->input);
    CloseHandle(handles_->output);
    if (WaitForSingleObject(handles_->process, kEndGraceMs) != WAIT_OBJECT_0) {
        Kill();
    }
    CloseHandle(handles_->process);
}

size_t ChildProcess::ReadSome(char* data, size_t size, Deadline deadline) {
    return ReadPipe(handles_->output, data, size, deadline);
}

bool ChildProcess::WriteAll(std::string_view bytes) {
    return WritePipe(handles_->input, bytes);
}

void ChildProcess::Kill() {
    TerminateProcess(handles_->process, 1);
    WaitForSingleObject(handles_->process, INFINITE);
}

long ChildProcess::Id() const {
    return static_cast<long>(handles_->id);
}

}  // namespace quindle

#endif  // _WIN32

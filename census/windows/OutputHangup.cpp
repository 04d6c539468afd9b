#include "census/windows/OutputHangup.h"

#include <winternl.h>

#include <algorithm>

namespace {

// How soon a reader that has gone is noticed.
constexpr std::chrono::milliseconds kLookEvery(100);

// The states of a pipe end (FILE_PIPE_LOCAL_INFORMATION) in which the other
// end is gone.
constexpr ULONG kPipeDisconnected = 1; // FILE_PIPE_DISCONNECTED_STATE
constexpr ULONG kPipeClosing = 4;      // FILE_PIPE_CLOSING_STATE

// Asks the pipe's state, which needs no more than the write end's right to
// read attributes. Writing nothing could end the reader's input, and
// PeekNamedPipe needs read access. A pipe that cannot tell stays read.
bool ReaderGone(HANDLE pipe)
{
    IO_STATUS_BLOCK status{};
    FILE_PIPE_LOCAL_INFORMATION local{};
    if (!NT_SUCCESS(::NtQueryInformationFile(pipe, &status, &local, sizeof local, FilePipeLocalInformation)))
        return false;
    return local.NamedPipeState == kPipeDisconnected || local.NamedPipeState == kPipeClosing;
}

} // namespace

bool WaitWhileRead(HANDLE output, std::chrono::milliseconds time)
{
    if (::GetFileType(output) != FILE_TYPE_PIPE) {
        ::Sleep(static_cast<DWORD>(time.count()));
        return true;
    }
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(time.count());
    for (;;) {
        if (ReaderGone(output))
            return false;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return true;
        ::Sleep(static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, kLookEvery.count())));
    }
}

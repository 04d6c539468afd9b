#include "census/windows/FileBytes.h"

#include "win32/SystemError.h"
#include "win32/UniqueHandle.h"

#include <windows.h>

namespace {

constexpr LONGLONG kLargestFile = 64LL * 1024 * 1024;

FileBytes Failure(std::string error) { return {false, {}, std::move(error)}; }

} // namespace

FileBytes ReadFileBytes(const std::wstring& path)
{
    const UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return Failure(ErrorText(::GetLastError()));
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return Failure("not a file");
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        return Failure(ErrorText(::GetLastError()));
    if (size.QuadPart > kLargestFile)
        return Failure("larger than " + std::to_string(kLargestFile / (1024 * 1024)) + " MB");
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty()
        && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return Failure(ErrorText(::GetLastError()));
    bytes.resize(read);
    return {true, std::move(bytes), {}};
}

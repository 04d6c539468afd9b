#include "census/windows/RegistryRead.h"

#include <iterator>
#include <memory>
#include <type_traits>

namespace {

struct KeyCloser
{
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// Values of a longer size than expected are of another format: nothing.
bool ReadFixed(HKEY root, const wchar_t* subkey, const wchar_t* name, DWORD flags, DWORD& value)
{
    DWORD size = sizeof(value);
    return ::RegGetValueW(root, subkey, name, flags, nullptr, &value, &size) == ERROR_SUCCESS
        && size == sizeof(value);
}

} // namespace

std::optional<std::wstring> RegistryText(HKEY root, const wchar_t* subkey, const wchar_t* name)
{
    DWORD size = 0;
    if (::RegGetValueW(root, subkey, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(root, subkey, name, RRF_RT_REG_SZ, nullptr, text.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
    return text;
}

std::optional<DWORD> RegistryDword(HKEY root, const wchar_t* subkey, const wchar_t* name)
{
    DWORD value = 0;
    if (!ReadFixed(root, subkey, name, RRF_RT_REG_DWORD, value))
        return std::nullopt;
    return value;
}

std::optional<DWORD> RegistryBinaryDword(HKEY root, const wchar_t* subkey, const wchar_t* name)
{
    DWORD value = 0;
    if (!ReadFixed(root, subkey, name, RRF_RT_REG_BINARY, value))
        return std::nullopt;
    return value;
}

std::vector<std::wstring> RegistrySubkeys(HKEY root, const wchar_t* subkey)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, subkey, 0, KEY_ENUMERATE_SUB_KEYS, &opened) != ERROR_SUCCESS)
        return {};
    const UniqueKey key(opened);
    std::vector<std::wstring> names;
    // Key names are at most 255 characters long.
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(std::size(name));
        const LSTATUS status
            = ::RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

#include "census/windows/CompiledScript.h"

#include "win32/SystemError.h"

#include <windows.h>

#include <array>
#include <memory>
#include <type_traits>

namespace {

struct ModuleFreer
{
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};

const std::array<const wchar_t*, 3> kScriptResources
    = {L">AUTOHOTKEY SCRIPT<", L">AHK WITH ICON<", MAKEINTRESOURCEW(1)};

} // namespace

FileBytes ReadCompiledScript(const std::wstring& program)
{
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer> module(::LoadLibraryExW(
        program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module)
        return {false, {}, ErrorText(::GetLastError())};
    for (const wchar_t* name : kScriptResources) {
        const HRSRC resource = ::FindResourceW(module.get(), name, MAKEINTRESOURCEW(10)); // RT_RCDATA
        const HGLOBAL loaded = resource ? ::LoadResource(module.get(), resource) : nullptr;
        const void* data = loaded ? ::LockResource(loaded) : nullptr;
        if (data)
            return {true,
                std::string(static_cast<const char*>(data), ::SizeofResource(module.get(), resource)), {}};
    }
    return {false, {}, "the program carries no script that can be read"};
}

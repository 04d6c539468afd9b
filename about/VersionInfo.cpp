#include "about/VersionInfo.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD kFixedInfoSignature = 0xFEEF04BD;

// Module file names and sub-block paths, terminating zero included.
constexpr int kPathLength = MAX_PATH;

} // namespace

CVersionInfo::CVersionInfo()
    : m_fixedInfo{}, m_pBlock(nullptr), m_pTranslations(nullptr), m_nTranslation(0), m_nTranslations(0),
      m_bValid(FALSE)
{
}

CVersionInfo::~CVersionInfo() { Close(); }

void CVersionInfo::Close()
{
    std::free(m_pBlock);
    m_fixedInfo = {};
    m_pBlock = nullptr;
    m_pTranslations = nullptr;
    m_nTranslation = 0;
    m_nTranslations = 0;
    m_bValid = FALSE;
}

BOOL CVersionInfo::OpenModule(HMODULE module)
{
    if (!module)
        return FALSE;
    char fileName[kPathLength] = {};
    const DWORD length = ::GetModuleFileNameA(module, fileName, kPathLength);
    // A name that fills the buffer has been cut; it would name another file.
    if (length == 0 || length >= kPathLength)
        return FALSE;
    return OpenFile(fileName);
}

BOOL CVersionInfo::OpenFile(LPCSTR fileName)
{
    if (!fileName)
        return FALSE;
    Close();

    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(fileName, &handle);
    if (size != 0)
        m_pBlock = std::malloc(size);
    if (m_pBlock && ::GetFileVersionInfoA(fileName, 0, size, m_pBlock)) {
        void* value = nullptr;
        UINT length = 0;
        // A root value shorter than the fixed part would be read past its end.
        if (::VerQueryValueA(m_pBlock, "\\", &value, &length) && value && length >= sizeof m_fixedInfo) {
            std::memcpy(&m_fixedInfo, value, sizeof m_fixedInfo);
            m_bValid = m_fixedInfo.dwSignature == kFixedInfoSignature;
        }
        value = nullptr;
        length = 0;
        if (m_bValid && ::VerQueryValueA(m_pBlock, "\\VarFileInfo\\Translation", &value, &length)) {
            m_pTranslations = static_cast<const DWORD*>(value);
            m_nTranslations = length >> 2;
        }
        if (m_pTranslations)
            return TRUE;
    }
    Close();
    return FALSE;
}

BOOL CVersionInfo::QueryString(LPCSTR key, LPSTR buffer, int size) const
{
    if (!m_bValid || !key || (buffer && size <= 0))
        return FALSE;
    if (buffer)
        std::memset(buffer, 0, static_cast<size_t>(size));

    const DWORD translation = m_nTranslation < m_nTranslations ? m_pTranslations[m_nTranslation] : 0;
    char path[kPathLength] = {};
    const int pathLength = std::snprintf(path, sizeof path, "\\StringFileInfo\\%04X%04X\\%s",
        static_cast<unsigned>(LOWORD(translation)), static_cast<unsigned>(HIWORD(translation)), key);
    // A key too long for the path names no value; its cut-off form might name another.
    if (pathLength < 0 || pathLength >= kPathLength)
        return FALSE;

    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(m_pBlock, path, &value, &length) || !value)
        return FALSE;
    if (!buffer)
        return TRUE;
    return ::lstrcpynA(buffer, static_cast<LPCSTR>(value), size) != nullptr;
}

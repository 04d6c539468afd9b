#pragma once

#include <windows.h>

#include <string>

// The system's description of an error code, in UTF-8 whatever the system's
// language, whole however long, without its closing line break; empty when the
// system has none.
std::string SystemMessage(DWORD error);

// "<what> failed: <system message> (error N)".
std::string SystemError(const std::string& what, DWORD error);

// "error 5: Access is denied.", or "error N" where the system has no text.
std::string ErrorText(DWORD error);

#pragma once

#include <windows.h>

#include <string>

// "error 5: Access is denied.", in UTF-8 whatever the system's language.
std::string SystemErrorText(DWORD error);

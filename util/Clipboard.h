#pragma once

#include <windows.h>

#include <string>

// Replaces the clipboard's contents with the text (CF_UNICODETEXT), the
// window as its owner. False when the clipboard is busy or memory runs out;
// the clipboard is then left as it was or empty.
bool PutTextOnClipboard(HWND owner, const std::wstring& text);

#pragma once

#include "census/windows/FileBytes.h"

#include <string>

// The script a compiled AutoHotkey program carries, as its compiler stored
// it: the RCDATA resource ">AUTOHOTKEY SCRIPT<" (version 1) or #1 (version
// 2). The program is mapped as data, never run. A program packed by an
// executable compressor keeps its resources out of reach.
FileBytes ReadCompiledScript(const std::wstring& program);

#pragma once

#include "census/core/Combination.h"

#include <string>
#include <string_view>
#include <vector>

// A running script and what it runs on.
struct ScriptPlace
{
    std::wstring path;        // the script file
    int majorVersion = 2;     // of AutoHotkey: decides how text without a byte order mark reads
    std::wstring interpreter; // AutoHotkey's program: its Lib folder is the standard library
    std::wstring userLibrary; // Documents\AutoHotkey\Lib
};

// A hotkey the script declares, where it declares it.
struct ScriptHotkey
{
    std::vector<Combination> combos;
    std::string place;  // "<file>:<line>"
    std::string action; // with what a reader must know beside: a condition, a custom combination…
};

// A file of the script that could not be read.
struct ScriptFailure
{
    std::string place; // the script, or the file and line of the #Include
    std::string reason;
};

struct ScriptReading
{
    std::vector<ScriptHotkey> hotkeys;
    std::vector<ScriptFailure> failures;
};

// The hotkey labels, Hotkey commands with a literal key and #Include files of
// a script, read by AutoHotkey's rules: comments, continuation sections and
// hotstrings declare nothing; #HotIf and #IfWin… directives condition the
// labels below them. Reading is a file read and nothing else.
ScriptReading ReadAutoHotkeyScript(const ScriptPlace& script);

// A script file's text in UTF-8, as AutoHotkey reads it: by its UTF-8 or
// UTF-16 byte order mark, else as UTF-8 (version 2) or in the system's ANSI
// code page (version 1).
std::string ScriptText(std::string_view bytes, int majorVersion);

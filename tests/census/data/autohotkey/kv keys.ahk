; A script of AutoHotkey v2 as a user keeps one: hotkeys, an include of
; its own and one from its library.
#Requires AutoHotkey v2.0
#SingleInstance Force
#Include include\shared.ahk
#Include <Tools_Notes>

^!j::Run "notepad.exe"  ; a comment after the command
#+F9::
<^>!F10::
ShowNotes(ThisHotkey) {
    MsgBox "Notizen für heute"
}
Hotkey "^+F11", Greet
Hotkey(chosenKey, Greet)
/*
^!b::Run "calc.exe"
*/
text := "
(
^!c::no hotkey inside a continuation section
)"
::btw::by the way
:*:sig::Kind regards
; ^!d::commented out
#HotIf WinActive("ahk_exe notepad.exe")
^+s::Send "^s"
#HotIf
CapsLock & j::Send "{Left}"
F8 up::SoundBeep
*#F7::Reload
Greet(*) => MsgBox("Grüezi")

; Shared by several scripts.
#F12::MsgBox "shared"

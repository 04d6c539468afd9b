!F1::ToolTip "tools"

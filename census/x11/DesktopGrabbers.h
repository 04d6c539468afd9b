#pragma once

#include <string>
#include <string_view>
#include <vector>

// The programs that grab the keys of a desktop's shortcut table on X11, by
// the table's source name ("kde", "gnome", ...): nothing for a table whose
// desktop runs on Wayland alone.
std::vector<std::string> DesktopGrabbers(std::string_view table);

#pragma once

#include <map>
#include <string>
#include <utility>

// What GNOME's control center calls each key of the keybinding schemas, from
// the catalogue it installs (<KeyListEntry name=… description=…>), by schema
// id and key name. Empty where no catalogue is installed; a file that cannot
// be read adds nothing.
using KeybindingDescriptions = std::map<std::pair<std::string, std::string>, std::string>;
KeybindingDescriptions ReadKeybindingDescriptions();

#pragma once

#include "census/core/Combination.h"

#include <string>
#include <string_view>
#include <vector>

// What PowerToys' settings files declare. Each function throws a
// std::exception saying what is wrong with text that is no JSON or not of the
// form expected.

// A PowerToys module: its key in the general settings' "enabled" map, the
// folder of its settings, and its name as people read it.
struct PowerToysModule
{
    std::string key;
    std::string folder;
    std::string name;
};

// The modules the general settings.json marks enabled.
std::vector<PowerToysModule> EnabledPowerToysModules(std::string_view generalSettings);

// A combination a module takes, and what it does there.
struct PowerToysShortcut
{
    std::vector<Combination> combos;
    std::string action;
};

// Every shortcut object ({"win", "ctrl", "alt", "shift", "code", "key"})
// anywhere in a module's settings, named after the setting that holds it
// ("ActivationShortcut" reads "Activation shortcut"). A code of 0 is unset.
std::vector<PowerToysShortcut> ModuleShortcuts(std::string_view moduleSettings);

// The name of Keyboard Manager's active configuration (the file
// <name>.json beside its settings); "default" where the settings name none.
std::string ActiveKeyboardConfiguration(std::string_view keyboardManagerSettings);

// Key names for the remaps' targets: the platform's key texts.
using KeyTextOf = std::string (*)(unsigned key);

// The global remaps of a Keyboard Manager configuration: each shortcut
// remapped (to keys, text, a program or an address), and each key remapped
// alone, which takes the key in every combination. Remaps for one
// application are not global and are left out.
std::vector<PowerToysShortcut> KeyboardManagerRemaps(std::string_view configuration, KeyTextOf keyText);

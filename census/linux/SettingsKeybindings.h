#pragma once

#include "census/linux/DesktopShortcut.h"
#include "census/linux/GLibHandles.h"

#include <string>
#include <vector>

// The accelerators a settings value holds: one string, or a list of them;
// the values that mean "no shortcut" left out. Other types hold none.
std::vector<std::string> AcceleratorsOf(GVariant* value);

// A row for each accelerator, as the window manager's parser reads it, with
// the holder and action of about.
void AddAccelerators(const std::vector<std::string>& accelerators, const DesktopShortcut& about,
    std::vector<DesktopShortcut>& shortcuts);

// Every key of a keybinding schema, other than those skipped: holder the
// schema id, action the key's name. Nothing when the schema is not installed
// in the source. (Schemas' summaries would describe keys better, but GIO
// finds them by parsing every schema file installed: 0.1 s.)
void AddSchemaKeybindings(GSettingsSchemaSource* source, const char* id,
    std::vector<DesktopShortcut>& shortcuts, const std::vector<std::string>& skipped = {});

std::string StringSetting(GSettings* settings, const char* key);

// Lets a backend that watches its store (the keyfile one) take in what it has
// learnt: it does so through this thread's main loop, which nothing else runs.
void SettleSettings();

#pragma once

#include <optional>
#include <string>
#include <string_view>

struct DesktopShortcut;

// The keysym of a name as the desktops look it up: exactly, else ignoring
// case. Letters come out lower case, as an X11 census names them. 0 for a name
// that is no keysym.
unsigned KeysymFromName(std::string_view name);

// The keysym of a name looked up ignoring case only, as window managers that
// pass XKB_KEYSYM_CASE_INSENSITIVE do; lower case, 0 for none.
unsigned KeysymFromNameIgnoringCase(std::string_view name);

// The keysym of exactly this name; lower case, 0 for none.
unsigned KeysymFromExactName(std::string_view name);

// The keysym of a Unicode character, lower case; 0 when there is none.
unsigned KeysymFromCharacter(unsigned codePoint);

std::string KeysymName(unsigned keysym);

// The keysym of the lower-case letter of a capital one; any other keysym.
unsigned LowerKeysym(unsigned keysym);

// The keysym name a short name that people type stands for (Esc, PgUp, Enter,
// ...); the text itself when it is no such alias.
std::string_view UnaliasedKeyName(std::string_view text);

// The keysym of a key as a combination text writes it: an alias, a printable
// character, a keysym name (exactly, else ignoring case) or a code such as
// 0xff1b. Letters come out lower case. Nothing for anything else.
std::optional<unsigned> ParseKeysym(std::string_view text);

// Fills the shortcut's keysym and key name; its error when the keysym is 0.
void SetKey(DesktopShortcut& shortcut, unsigned keysym, std::string error);

// The error of a key name that is no keysym.
std::string UnknownKeysym(std::string_view name);

// A text quoted for an error message: its first line only, so that a
// message never repeats a whole file.
std::string QuotedLine(std::string_view text);

// The first keysym of an XKB keycode (evdev code + 8) on the keyboard a
// compositor starts with when its configuration names none: xkbcommon's
// defaults, which follow the XKB_DEFAULT_* variables. 0 when the key has none.
unsigned DefaultKeymapKeysym(unsigned keycode);

// The only keycode of that keyboard whose key gives the keysym unmodified;
// nothing when none or several do.
std::optional<unsigned> DefaultKeymapKeycode(unsigned keysym);

// The modifiers (kModCtrl and the others) that a virtual modifier such as
// Meta or Hyper stands for on that keyboard; nothing when it is unknown or
// maps to a modifier that no combination has (Mod2, Mod3, Mod5, Lock).
std::optional<unsigned> DefaultKeymapModifiers(std::string_view virtualModifier);

#include "census/x11/X11Backend.h"

#include "census/core/CombinationText.h"
#include "census/core/Records.h"
#include "census/x11/DisplayProbeLock.h"
#include "census/x11/KeyGrabs.h"

#include <array>
#include <cstdlib>
#include <stdexcept>

namespace {

// Each modifier of a combination with its X modifier bit, in the order of the
// dialog's count: Ctrl is its highest bit, Win its lowest.
struct ModifierMask
{
    unsigned modifier;
    unsigned mask;
};
constexpr std::array<ModifierMask, 4> kModifierMasks = {{
    {kModCtrl, ControlMask},
    {kModAlt, Mod1Mask},
    {kModShift, ShiftMask},
    {kModWin, Mod4Mask},
}};

constexpr unsigned kCombinationCount = 1u << kModifierMasks.size();

// The combination at this place of the count.
unsigned ModifiersCounted(unsigned count)
{
    unsigned modifiers = 0;
    for (size_t i = 0; i < kModifierMasks.size(); ++i) {
        if (count & (kCombinationCount >> (i + 1)))
            modifiers |= kModifierMasks[i].modifier;
    }
    return modifiers;
}

unsigned XModifiers(unsigned modifiers)
{
    unsigned mask = 0;
    for (const ModifierMask& entry : kModifierMasks) {
        if (modifiers & entry.modifier)
            mask |= entry.mask;
    }
    return mask;
}

std::string NoDisplayMessage(const char* displayName)
{
    const char* name = displayName ? displayName : std::getenv("DISPLAY");
    if (name && *name)
        return std::string("cannot open the X display \"") + name + "\"";
    return "no X display (DISPLAY is not set). On a Wayland session global shortcuts belong to the "
           "compositor, and no program can find out which are taken by trying them; this census works "
           "on X11 desktops";
}

} // namespace

X11Backend::X11Backend(const char* displayName) : m_display(XOpenDisplay(displayName))
{
    if (!m_display) {
        m_unavailable = NoDisplayMessage(displayName);
        return;
    }
    try {
        m_keymap.emplace(m_display.get());
    } catch (const std::runtime_error& error) {
        m_unavailable = error.what();
    }
}

// NumLock counts only when it sets a bit of its own.
std::vector<X11Backend::LockVariant> X11Backend::LockVariants() const
{
    const unsigned numLock = Keymap().NumLockMask();
    const unsigned others = ControlMask | Mod1Mask | ShiftMask | Mod4Mask | LockMask;
    if (numLock == 0 || (numLock & others) != 0)
        return {{"CapsLock", LockMask}};
    return {{"NumLock", numLock}, {"CapsLock", LockMask}, {"NumLock+CapsLock", numLock | LockMask}};
}

const X11Keymap& X11Backend::Keymap() const
{
    if (!m_keymap)
        throw std::runtime_error(m_unavailable);
    return *m_keymap;
}

std::vector<ProbeResult> X11Backend::Census()
{
    // A watch runs for hours: a keyboard layout switched meanwhile renames
    // keys. Xlib keeps the server's MappingNotify to itself where it speaks
    // XKB, so the map is read again, in one round trip, for every scan.
    if (m_keymap)
        m_keymap.emplace(m_display.get());
    const X11Keymap& keymap = Keymap();
    // Lowest key first; within a key the count down from Ctrl+Alt+Shift+Win to
    // the key alone.
    std::vector<Combination> combos;
    for (unsigned key = keymap.MinKeycode(); key <= keymap.MaxKeycode(); ++key) {
        for (unsigned count = kCombinationCount; count-- > 0;)
            combos.push_back({key, ModifiersCounted(count)});
    }
    std::vector<ProbeResult> found;
    for (ProbeResult& result : ProbeAll(combos)) {
        if (result.state != ProbeResult::State::Free)
            found.push_back(Named(std::move(result)));
    }
    return found;
}

ProbeResult X11Backend::Probe(const Combination& combo)
{
    const X11Keymap& keymap = Keymap();
    // X carries a keycode in one byte: anything else would probe another key.
    if (combo.key < keymap.MinKeycode() || combo.key > keymap.MaxKeycode()
        || (combo.modifiers & ~kAllModifiers) != 0) {
        return Named(
            {combo, ProbeResult::State::Failed, "no such key combination on this keyboard", {}, {}, {}});
    }
    return Named(ProbeAll({combo}).front());
}

std::optional<unsigned> X11Backend::ParseKey(std::string_view name) const { return Keymap().ParseKey(name); }

std::string X11Backend::KeyName(unsigned key) const { return Keymap().KeyName(key); }

bool X11Backend::ReportLocks()
{
    m_withLocks = true;
    return true;
}

std::vector<ProbeResult> X11Backend::ProbeAll(const std::vector<Combination>& combos)
{
    const std::vector<LockVariant> variants = m_withLocks ? LockVariants() : std::vector<LockVariant>();
    const size_t grabsPerCombo = 1 + variants.size();
    std::vector<KeyGrab> grabs;
    grabs.reserve(combos.size() * grabsPerCombo);
    for (const Combination& combo : combos) {
        const unsigned mask = XModifiers(combo.modifiers);
        grabs.push_back({combo.key, mask});
        for (const LockVariant& variant : variants)
            grabs.push_back({combo.key, mask | variant.mask});
    }
    const std::vector<GrabAnswer> answers = [&] {
        const DisplayProbeLock lock(m_display.get());
        return TryGrabs(m_display.get(), grabs);
    }();

    std::vector<ProbeResult> results;
    results.reserve(combos.size());
    for (size_t i = 0; i < combos.size(); ++i)
        results.push_back(Judge(combos[i], &answers[i * grabsPerCombo], variants));
    return results;
}

ProbeResult X11Backend::Judge(
    const Combination& combo, const GrabAnswer* answers, const std::vector<LockVariant>& variants) const
{
    ProbeResult result{combo, ProbeResult::State::Free, {}, {}, {}, {}};
    if (answers[0].kind == GrabAnswer::Kind::Failed) {
        result.state = ProbeResult::State::Failed;
        result.error = ErrorText(answers[0].errorCode);
        return result;
    }
    // The plain grab decides; the lock variants are told besides.
    if (answers[0].kind == GrabAnswer::Kind::Taken)
        result.state = ProbeResult::State::Taken;
    for (size_t i = 0; i < variants.size(); ++i) {
        const GrabAnswer& answer = answers[1 + i];
        if (answer.kind == GrabAnswer::Kind::Taken) {
            result.locks.push_back(variants[i].name);
        } else if (answer.kind == GrabAnswer::Kind::Failed) {
            result.state = ProbeResult::State::Failed;
            result.error = std::string("with ") + variants[i].name + ": " + ErrorText(answer.errorCode);
            return result;
        }
    }
    return result;
}

ProbeResult X11Backend::Named(ProbeResult result) const
{
    const unsigned key = result.combo.key;
    result.keyName = Keymap().KeyName(key);
    // The key's name where it stands for this very key; several keys may carry
    // the same keysym, and some carry none.
    const bool nameFits = !result.keyName.empty() && Keymap().ParseKey(result.keyName) == key;
    result.comboText = CombinationText(result.combo.modifiers, nameFits ? result.keyName : CodeText(key));
    return result;
}

std::string X11Backend::ErrorText(int code) const
{
    char text[128] = {};
    XGetErrorText(m_display.get(), code, text, sizeof text);
    return text;
}

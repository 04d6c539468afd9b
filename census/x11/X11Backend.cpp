#include "census/x11/X11Backend.h"

#include "census/core/CombinationText.h"
#include "census/core/Records.h"
#include "census/x11/DesktopGrabbers.h"
#include "census/x11/DisplayProbeLock.h"
#include "census/x11/GrabOwners.h"
#include "census/x11/KeyGrabs.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iostream>
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

constexpr const char* kNoSuchCombination = "no such key combination on this keyboard";
constexpr const char* kNoOwners
    = "the X server offers no X-Resource extension 1.2: the census cannot tell which client holds a grab";

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

X11Backend::X11Backend(const char* displayName, Owners owners)
    : m_display(XOpenDisplay(displayName)), m_owners(owners)
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
    Scan scan = ProbeAll(EveryCombination());
    NameOwners(scan);
    std::vector<ProbeResult> found;
    for (ProbeResult& result : scan.rows) {
        if (result.state != ProbeResult::State::Free)
            found.push_back(Named(std::move(result)));
    }
    return found;
}

// X carries a keycode in one byte: anything else would probe another key.
bool X11Backend::ValidCombination(const Combination& combo) const
{
    const X11Keymap& keymap = Keymap();
    return combo.key >= keymap.MinKeycode() && combo.key <= keymap.MaxKeycode()
        && (combo.modifiers & ~kAllModifiers) == 0;
}

std::vector<Combination> X11Backend::EveryCombination() const
{
    // Lowest key first; within a key the count down from Ctrl+Alt+Shift+Win to
    // the key alone.
    const X11Keymap& keymap = Keymap();
    std::vector<Combination> combos;
    for (unsigned key = keymap.MinKeycode(); key <= keymap.MaxKeycode(); ++key) {
        for (unsigned count = kCombinationCount; count-- > 0;)
            combos.push_back({key, ModifiersCounted(count)});
    }
    return combos;
}

ProbeResult X11Backend::Probe(const Combination& combo)
{
    if (!ValidCombination(combo))
        return Named({combo, ProbeResult::State::Failed, kNoSuchCombination, {}, {}, {}});
    Scan scan = ProbeAll({combo});
    // Telling several clients' grabs apart takes every taken combination.
    if (scan.rows.front().state == ProbeResult::State::Taken && scan.clients && scan.clients->size() > 1) {
        for (ProbeResult& row : Census()) {
            if (row.combo == combo)
                return row;
        }
    }
    NameOwners(scan);
    return Named(std::move(scan.rows.front()));
}

std::optional<std::vector<WhoResult>> X11Backend::Who(const std::vector<ProbeResult>& probes)
{
    const std::vector<Combination> all = EveryCombination();
    Scan scan = ProbeAll(all);
    NameOwners(scan);
    std::vector<WhoResult> answers;
    for (const ProbeResult& probe : probes) {
        const Combination& combo = probe.combo;
        const bool valid = ValidCombination(combo);
        const size_t at
            = valid ? static_cast<size_t>(std::find(all.begin(), all.end(), combo) - all.begin()) : 0;
        const ProbeResult row
            = Named(valid ? scan.rows[at]
                          : ProbeResult{combo, ProbeResult::State::Failed, kNoSuchCombination, {}, {}, {}});
        WhoResult answer{};
        answer.combo = combo;
        answer.state = WhoResult::State::Free;
        answer.error = row.error;
        answer.keyName = row.keyName;
        answer.comboText = row.comboText;
        answer.code = row.code;
        if (row.state == ProbeResult::State::Failed) {
            answer.state = WhoResult::State::Failed;
        } else if (row.state == ProbeResult::State::Taken && scan.holders[at]) {
            const GrabbingClient& client = (*scan.clients)[*scan.holders[at]];
            answer.state = WhoResult::State::Named;
            answer.processId = client.pid;
            answer.executable = client.program;
        } else if (row.state == ProbeResult::State::Taken) {
            answer.state = WhoResult::State::NoAnswer;
            if (!scan.clients)
                answer.error = kNoOwners;
            else if (row.holder.empty())
                answer.error = "no other client has a grab";
            else
                answer.error = "held by " + row.holder;
        }
        answers.push_back(std::move(answer));
    }
    return answers;
}

std::optional<unsigned> X11Backend::ParseKey(std::string_view name) const { return Keymap().ParseKey(name); }

std::string X11Backend::KeyName(unsigned key) const { return Keymap().KeyName(key); }

bool X11Backend::ReportLocks()
{
    m_withLocks = true;
    return true;
}

X11Backend::Scan X11Backend::ProbeAll(const std::vector<Combination>& combos)
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

    Scan scan;
    const DisplayProbeLock lock(m_display.get());
    // Counted while no grab of ours, nor of another census of ours, is held.
    if (m_owners == Owners::Named)
        scan.clients = GrabbingClientsNow();
    const std::vector<GrabAnswer> answers = TryGrabs(m_display.get(), grabs);
    scan.rows.reserve(combos.size());
    for (size_t i = 0; i < combos.size(); ++i)
        scan.rows.push_back(Judge(combos[i], &answers[i * grabsPerCombo], variants));
    if (scan.clients && scan.clients->size() > 1)
        scan.lockGrabs = LockGrabs(scan.rows);
    return scan;
}

// The lock variants held of each taken row: grabs that count among some
// client's, as the combination itself does.
std::vector<unsigned> X11Backend::LockGrabs(const std::vector<ProbeResult>& rows) const
{
    std::vector<unsigned> held(rows.size(), 0);
    if (m_withLocks) {
        for (size_t i = 0; i < rows.size(); ++i)
            held[i] = static_cast<unsigned>(rows[i].locks.size());
        return held;
    }
    const std::vector<LockVariant> variants = LockVariants();
    std::vector<size_t> taken;
    std::vector<KeyGrab> grabs;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].state != ProbeResult::State::Taken)
            continue;
        taken.push_back(i);
        for (const LockVariant& variant : variants)
            grabs.push_back({rows[i].combo.key, XModifiers(rows[i].combo.modifiers) | variant.mask});
    }
    const std::vector<GrabAnswer> answers = TryGrabs(m_display.get(), grabs);
    for (size_t i = 0; i < answers.size(); ++i) {
        if (answers[i].kind == GrabAnswer::Kind::Taken)
            ++held[taken[i / variants.size()]];
    }
    return held;
}

std::optional<std::vector<GrabbingClient>> X11Backend::GrabbingClientsNow()
{
    std::optional<std::vector<GrabbingClient>> clients = ReadGrabbingClients(m_display.get());
    if (!clients && !m_toldNoOwners) {
        std::cerr << "keyvane-census: note: " << kNoOwners << '\n';
        m_toldNoOwners = true;
    }
    return clients;
}

void X11Backend::NameOwners(Scan& scan) const
{
    scan.holders.assign(scan.rows.size(), std::nullopt);
    if (!scan.clients || scan.clients->empty())
        return;
    const std::vector<GrabbingClient>& clients = *scan.clients;
    std::vector<size_t> taken;
    std::vector<Combination> combos;
    std::vector<GrabbedCombination> grabbed;
    for (size_t i = 0; i < scan.rows.size(); ++i) {
        if (scan.rows[i].state != ProbeResult::State::Taken)
            continue;
        taken.push_back(i);
        combos.push_back(scan.rows[i].combo);
        grabbed.push_back({scan.lockGrabs.empty() ? 0 : scan.lockGrabs[i], {}});
    }
    if (clients.size() > 1 && m_tables && !taken.empty()) {
        const std::vector<std::vector<std::string>> tables = m_tables(combos);
        for (size_t j = 0; j < taken.size(); ++j) {
            for (const std::string& table : tables[j]) {
                for (std::string& program : DesktopGrabbers(table))
                    grabbed[j].namedBy.push_back(std::move(program));
            }
        }
    }
    const std::vector<GrabOwners> owners = AttributeGrabs(clients, grabbed);
    for (size_t j = 0; j < taken.size(); ++j) {
        scan.rows[taken[j]].holder = OwnersText(clients, owners[j]);
        if (owners[j].holders.size() == 1)
            scan.holders[taken[j]] = owners[j].holders.front();
    }
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
    result.code = Keymap().FirstKeysym(key);
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

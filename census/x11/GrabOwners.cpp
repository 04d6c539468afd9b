#include "census/x11/GrabOwners.h"

#include <algorithm>
#include <numeric>

namespace {

// A share of a combination's grabs that one client holds: all of them, or the
// combination alone, or its lock variants alone.
struct Share
{
    size_t combination;
    unsigned grabs;
    bool locks;
    std::vector<size_t> candidates;
};

// The kernel cuts a process's own name to 15 bytes.
bool SameProgram(const std::string& a, const std::string& b)
{
    constexpr size_t kCommLength = 15;
    return a.substr(0, kCommLength) == b.substr(0, kCommLength);
}

bool ProgramOf(const GrabbingClient& client, const std::vector<std::string>& programs)
{
    return !client.command.empty()
        && std::any_of(programs.begin(), programs.end(),
            [&](const std::string& named) { return SameProgram(client.command, named); });
}

std::vector<size_t> Everyone(const std::vector<GrabbingClient>& clients)
{
    std::vector<size_t> everyone(clients.size());
    std::iota(everyone.begin(), everyone.end(), 0);
    return everyone;
}

// Each combination whole, held by the desktop that names it where one does.
std::vector<Share> WholeShares(
    const std::vector<GrabbingClient>& clients, const std::vector<GrabbedCombination>& combinations)
{
    const std::vector<size_t> everyone = Everyone(clients);
    std::vector<Share> shares;
    for (size_t i = 0; i < combinations.size(); ++i) {
        std::vector<size_t> candidates;
        std::copy_if(everyone.begin(), everyone.end(), std::back_inserter(candidates),
            [&](size_t c) { return ProgramOf(clients[c], combinations[i].namedBy); });
        shares.push_back(
            {i, 1 + combinations[i].lockGrabs, false, candidates.empty() ? everyone : candidates});
    }
    return shares;
}

// Each combination apart from its lock variants.
std::vector<Share> SplitShares(
    const std::vector<GrabbingClient>& clients, const std::vector<GrabbedCombination>& combinations)
{
    const std::vector<size_t> everyone = Everyone(clients);
    std::vector<Share> shares;
    for (size_t i = 0; i < combinations.size(); ++i) {
        shares.push_back({i, 1, false, everyone});
        if (combinations[i].lockGrabs > 0)
            shares.push_back({i, combinations[i].lockGrabs, true, everyone});
    }
    return shares;
}

// Leaves each share the clients whose grabs not yet accounted for suffice,
// and settles a share on its only candidate, which accounts for its grabs.
// False when the counts leave some share no candidate.
bool Eliminate(std::vector<Share>& shares, std::vector<unsigned> left)
{
    std::vector<bool> settled(shares.size(), false);
    for (bool changed = true; changed;) {
        changed = false;
        for (size_t i = 0; i < shares.size(); ++i) {
            if (settled[i])
                continue;
            Share& share = shares[i];
            std::erase_if(share.candidates, [&](size_t c) { return left[c] < share.grabs; });
            if (share.candidates.empty())
                return false;
            if (share.candidates.size() == 1) {
                left[share.candidates.front()] -= share.grabs;
                settled[i] = true;
                changed = true;
            }
        }
    }
    unsigned open = 0;
    for (size_t i = 0; i < shares.size(); ++i)
        open += settled[i] ? 0 : shares[i].grabs;
    return open <= std::accumulate(left.begin(), left.end(), 0u);
}

} // namespace

std::vector<GrabOwners> AttributeGrabs(
    const std::vector<GrabbingClient>& clients, const std::vector<GrabbedCombination>& combinations)
{
    std::vector<GrabOwners> owners(combinations.size());
    if (clients.size() == 1) {
        for (GrabOwners& owner : owners)
            owner.holders = {0};
        return owners;
    }
    std::vector<unsigned> counts;
    for (const GrabbingClient& client : clients)
        counts.push_back(client.grabs);
    // A client grabs a combination together with its lock variants. Only
    // where the counts cannot be met so did some client take the combination
    // before another took the variants; then which one is not known, and the
    // combinations and variants are told apart throughout.
    std::vector<Share> shares = WholeShares(clients, combinations);
    if (!Eliminate(shares, counts)) {
        shares = SplitShares(clients, combinations);
        if (!Eliminate(shares, counts))
            shares = SplitShares(clients, combinations); // the grabs changed while they were counted
    }
    for (Share& share : shares) {
        GrabOwners& owner = owners[share.combination];
        (share.locks ? owner.lockHolders : owner.holders) = std::move(share.candidates);
    }
    // Variants with the combination's own holder need no words of their own.
    for (GrabOwners& owner : owners) {
        if (owner.holders.size() == 1 && owner.lockHolders == owner.holders)
            owner.lockHolders.clear();
    }
    return owners;
}

namespace {

std::string CandidatesText(const std::vector<GrabbingClient>& clients, const std::vector<size_t>& candidates)
{
    if (candidates.size() == 1)
        return clients[candidates.front()].name;
    std::string text = "one of: ";
    for (size_t i = 0; i < candidates.size(); ++i)
        text += (i ? ", " : "") + clients[candidates[i]].name;
    return text;
}

} // namespace

std::string OwnersText(const std::vector<GrabbingClient>& clients, const GrabOwners& owners)
{
    std::string text = CandidatesText(clients, owners.holders);
    if (!owners.lockHolders.empty())
        text += "; with a lock key on: " + CandidatesText(clients, owners.lockHolders);
    return text;
}

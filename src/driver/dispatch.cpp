#include "driver/dispatch.h"

#include <array>

#include "attacks/attack_outcomes.h"
#include "attacks/attack_state.h"
#include "driver/line_classifier.h"
#include "magic/defence_parsers.h"
#include "magic/spell_parsers.h"
#include "rewards/craft_parser.h"
#include "rewards/kill_parsers.h"
#include "rewards/reward_parsers.h"

namespace torvelin {
namespace {

struct ChainStep {
    void (*parse)(std::string_view line, PartStats& stats);
    const LineGate* gate;
};

// Every parser may look at every line, whether or not an earlier one recognised it. The parsers
// share state in the record (current weapon, style, spell, incoming kind, pending flags), so one
// game event spread over several lines is assembled across calls and the order below is part of
// the behaviour: damage taken is booked under the kind announced by the previous line, an attack
// announcement is read before the hit that follows it on the same line.
constexpr std::array<ChainStep, 53> chain = {{
    {parseCritical, &criticalGate},
    {parseDamageTaken, &damageTakenGate},
    {resetIncomingKind, &incomingKindResetGate},
    {readIncomingKind<0>, &incomingKindGate<0>},
    {readIncomingKind<1>, &incomingKindGate<1>},
    {readIncomingKind<2>, &incomingKindGate<2>},
    {readIncomingKind<3>, &incomingKindGate<3>},
    {readIncomingKind<4>, &incomingKindGate<4>},
    {readIncomingKind<5>, &incomingKindGate<5>},
    {readIncomingKind<6>, &incomingKindGate<6>},
    {readAddedDamageKind, &addedDamageKindGate},
    {readShot, &shotGate},
    {readStyle, &styleGate},
    {readAbandon, &abandonGate},
    {readStyleFailure, &styleFailureGate},
    {readSpellCast, &spellCastGate},
    {readGivenEffect<0>, &givenEffectGate<0>},
    {readGivenEffect<1>, &givenEffectGate<1>},
    {readGivenEffect<2>, &givenEffectGate<2>},
    {readGivenEffect<3>, &givenEffectGate<3>},
    {readGivenEffect<4>, &givenEffectGate<4>},
    {parseMultipleAttacks, &multipleAttacksGate},
    {parseIntercept, &interceptGate},
    {parseWeaponHit, &weaponHitGate},
    {parseHeal, &healGate},
    {parseMisses, &missGate},
    {parseFumble, &fumbleGate},
    {parseEvaded, &evadedGate},
    {parseParried, &parriedGate},
    {parseBlocked, &blockedGate},
    {parseMeleeHitTaken, &meleeHitTakenGate},
    {countEnemyAvoidance<0>, &enemyAvoidanceGate<0>},
    {countEnemyAvoidance<1>, &enemyAvoidanceGate<1>},
    {countEnemyAvoidance<2>, &enemyAvoidanceGate<2>},
    {countEnemyAvoidance<3>, &enemyAvoidanceGate<3>},
    {parseDefence, &defenceGate},
    {parseResist, &resistGate},
    {parseEffectDamage, &effectDamageGate},
    {stopSwingTimer, &swingStopGate},
    {trackSwingSpeed, &swingSpeedGate},
    {armAutoFire, &autoFireGate},
    {stopShotTimer, &shotStopGate},
    {trackShotSpeed, &shotSpeedGate},
    {parseCastTime, &castTimeGate},
    {parseCraftLine, &craftGate},
    {parseMonsterDeath, &monsterDeathGate},
    {parseExperience, &experienceGate},
    {parseRealmPoints, &realmPointsGate},
    {parseMoney, &moneyGate},
    {parseOpenLoot, &lootGate},
    {parsePlayerDeath, &playerDeathGate},
    {parseKillerName, &killerNameGate},
    {parseKillMessage, &killMessageGate},
}};
static_assert(chain.size() <= sizeof(ParserSet) * 8, "a parser set holds one bit per step");
static_assert(chain.size() <= fightPhraseShift, "the fight tracker's bits are no step's");

constexpr ParserSet chainSteps = (ParserSet{1} << (chain.size() - 1) << 1) - 1;

struct Classifier {
    LineClassifier phrases;
    ParserSet stateGated = 0;  // the steps whose gate also asks the record
};

void addGatePhrases(LineClassifier& phrases, const LineGate& gate, ParserSet steps) {
    for (std::string_view phrase : gate.textStarts)
        phrases.addPhrase(phrase, true, steps);
    for (std::string_view phrase : gate.anywhere)
        phrases.addPhrase(phrase, false, steps);
}

// Built once and never destroyed: the thread that reads the log may still use it while the
// program ends on a fatal error. The fight tracker's phrases are looked for in the same pass, each
// group with its own bit.
const Classifier& classifier() {
    static const Classifier& built = *[] {
        auto* classifier = new Classifier;
        for (std::size_t i = 0; i < chain.size(); ++i) {
            ParserSet step = ParserSet{1} << i;
            addGatePhrases(classifier->phrases, *chain[i].gate, step);
            if (chain[i].gate->whileState != nullptr)
                classifier->stateGated |= step;
        }
        for (std::size_t g = 0; g < std::size(fightPhraseGates); ++g)
            addGatePhrases(classifier->phrases, fightPhraseGates[g],
                           ParserSet{1} << (fightPhraseShift + g));
        return classifier;
    }();
    return built;
}

}  // namespace

ParserSet stepsFor(std::string_view line, LineChain which) {
    return which == LineChain::gated ? classifier().phrases.parsersFor(line)
                                     : chainSteps | ParserSet{everyFightPhrase} << fightPhraseShift;
}

void dispatchSteps(std::string_view line, ParserSet steps, PartStats& stats) {
    steps &= chainSteps;
    for (ParserSet left = steps | classifier().stateGated; left != 0; left &= left - 1) {
        auto i = static_cast<std::size_t>(__builtin_ctzll(left));
        const ChainStep& step = chain[i];
        // A state gate is asked when the step's turn comes: earlier steps may change it.
        if ((steps >> i & 1) != 0 || step.gate->whileState(stats))
            step.parse(line, stats);
    }
}

void dispatchLine(std::string_view line, PartStats& stats) {
    dispatchSteps(line, stepsFor(line, LineChain::gated), stats);
}

}  // namespace torvelin

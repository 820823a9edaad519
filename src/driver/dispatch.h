// The single entry from the reading loop into the line parsers.
#pragma once

#include <string_view>

#include "driver/line_classifier.h"
#include "fights/fight_tracker.h"
#include "record/part_stats.h"

namespace torvelin {

// Which steps of the chain a line is handed to: those whose gate may hold for the line (see
// record/line_gate.h), as the classifier tells, or every step on every line (the reference the
// gated chain must match).
enum class LineChain { gated, everyStep };

// The highest bits of a line's steps, above the chain's: one for each group of the fight tracker's
// phrases (fights/fight_tracker.h) that the line may hold, so that the tracker looks only for the
// events of those groups. The chain of every step sets them all on every line.
inline constexpr int fightPhraseShift = 64 - static_cast<int>(FightPhraseGroup::count);

inline FightPhraseSet fightPhrasesOf(ParserSet steps) {
    return static_cast<FightPhraseSet>(steps >> fightPhraseShift);
}

// The steps of the chain that may act on `line`: a set of places in the chain. It depends on the
// line alone, so it may be found on another thread than the one that hands the line on.
ParserSet stepsFor(std::string_view line, LineChain which);

// Hands a log line (not a chat line) to the steps `steps`, and to the steps whose gate asks the
// record and holds when their turn comes, in the chain's fixed order; the bits of the fight
// tracker's phrases are no steps of the chain.
void dispatchSteps(std::string_view line, ParserSet steps, PartStats& stats);

// The line to the steps whose gate may hold: stepsFor then dispatchSteps.
void dispatchLine(std::string_view line, PartStats& stats);

}  // namespace torvelin

// The gate of a line parser: the necessary condition under which it can change the record or print
// anything for a line. The reading loop calls a parser only on the lines whose gate may hold.
//
// A gate holds when the message text starts with one of `textStarts`, when the line holds one of
// `anywhere` at any place (a phrase the parser looks for inside the line, or at the start of the
// line itself), or when `whileState` says the record is in a state where the parser acts on any
// line. A parser that looks for a new phrase must add it to its gate.
#pragma once

#include <span>
#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

struct LineGate {
    std::span<const std::string_view> textStarts;
    std::span<const std::string_view> anywhere;
    bool (*whileState)(const PartStats& stats) = nullptr;
};

}  // namespace torvelin

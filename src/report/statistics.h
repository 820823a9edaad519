// Statistics over sample lists, the rounding rule of every number shown, the standard group of
// table cells with their titles, and the two number printers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "record/value_list.h"

namespace torvelin {

// Statistics skip markerSample; an empty list (or markers only) gives 0.
double sampleMean(const ValueList& list);
double sampleDeviation(const ValueList& list);  // population standard deviation
std::int32_t sampleMin(const ValueList& list);
std::int32_t sampleMax(const ValueList& list);

// Rounds halves up: 2.5 gives 3, -2.5 gives -2. Values beyond the integer range saturate.
std::int64_t roundHalfUp(double x);

// Integer part of x, truncated toward zero (saturating).
std::int64_t truncated(double x);

// roundHalfUp(numerator x 100.0 / denominator), or 0 when the denominator is 0.
std::int64_t roundedPercent(double numerator, double denominator);

// The cells count, mean (with the mean modifier when `modifiers` is given), spread, range and,
// when `criticals` is given, critical rate, each `width` wide.
void writeStatCells(std::FILE* out, const ValueList& samples, const ValueList* modifiers,
                    const ValueList* criticals, int width = 80);

// The titles of the first four of those cells: `countTitle`, "Moyenne", "Variance", "Min-Max".
void writeStatTitleCells(std::FILE* out, std::string_view countTitle, int width = 80);

// The speed of attacks or casts from their intervals in seconds, " (vitesse : 3,2s)": nothing for
// 40 intervals or fewer, a second decimal above 100.
void writeSpeedText(std::FILE* out, const ValueList& intervals);

// x with `decimals` digits after the point, truncated, never rounded: 12.349 with 2 gives 12.34.
void writeTruncatedDecimal(std::FILE* out, double x, int decimals);

// high x 1,000,000,000 + low, with a point between groups of three digits: 1.000.000.005.
void writeGroupedNumber(std::FILE* out, std::int64_t low, std::int64_t high);

}  // namespace torvelin

#include "report/statistics.h"

#include <cmath>
#include <limits>

#include "report/page_output.h"
#include "report/page_tables.h"

namespace torvelin {

double sampleMean(const ValueList& list) {
    double sum = 0.0;
    int counted = 0;
    for (std::int32_t v : list.values) {
        if (v == markerSample)
            continue;
        sum += v;
        ++counted;
    }
    return counted == 0 ? 0.0 : sum / counted;
}

double sampleDeviation(const ValueList& list) {
    if (list.empty())
        return 0.0;
    double mean = sampleMean(list);
    double sum = 0.0;
    int counted = 0;
    for (std::int32_t v : list.values) {
        if (v == markerSample)
            continue;
        sum += (v - mean) * (v - mean);
        ++counted;
    }
    return counted == 0 ? 0.0 : std::sqrt(sum / counted);
}

namespace {

// The first non-marker sample, then every non-marker sample that `better` prefers.
template <class Better>
std::int32_t extremeSample(const ValueList& list, Better better) {
    bool found = false;
    std::int32_t extreme = 0;
    for (std::int32_t v : list.values) {
        if (v == markerSample)
            continue;
        if (!found || better(v, extreme))
            extreme = v;
        found = true;
    }
    return extreme;
}

std::int64_t saturated(double x) {
    constexpr double highest = 9.0e18;
    if (std::isnan(x))
        return 0;
    if (x >= highest)
        return static_cast<std::int64_t>(highest);
    if (x <= -highest)
        return -static_cast<std::int64_t>(highest);
    return static_cast<std::int64_t>(x);
}

}  // namespace

std::int32_t sampleMin(const ValueList& list) {
    return extremeSample(list, [](std::int32_t v, std::int32_t best) { return v < best; });
}

std::int32_t sampleMax(const ValueList& list) {
    return extremeSample(list, [](std::int32_t v, std::int32_t best) { return v > best; });
}

std::int64_t roundHalfUp(double x) {
    double f = std::floor(x);
    return saturated(x >= f + 0.5 ? f + 1.0 : f);
}

std::int64_t truncated(double x) {
    return saturated(std::trunc(x));
}

std::int64_t roundedPercent(double numerator, double denominator) {
    return denominator == 0.0 ? 0 : roundHalfUp(numerator * 100.0 / denominator);
}

void writeStatCells(std::FILE* out, const ValueList& samples, const ValueList* modifiers,
                    const ValueList* criticals, int width) {
    writeNumberCell(out, width, samples.count());
    std::int64_t mean = roundHalfUp(sampleMean(samples));
    openCell(out, width);
    if (modifiers != nullptr) {
        std::int64_t modifier = roundHalfUp(sampleMean(*modifiers));
        putf(out, "%lld(%s%lld)", printable(mean), modifier > 0 ? "+" : "", printable(modifier));
    } else {
        putNumber(out, mean);
    }
    closeCell(out);
    double exactMean = sampleMean(samples);
    std::int64_t spread =
        exactMean == 0.0 ? 0 : roundHalfUp(sampleDeviation(samples) * 100.0 / exactMean);
    writePercentCell(out, width, spread);
    openCell(out, width);
    putf(out, "%i-%i", sampleMin(samples), sampleMax(samples));
    closeCell(out);
    if (criticals != nullptr)
        writePercentCell(out, width, roundedPercent(criticals->count(), samples.count()));
}

void writeStatTitleCells(std::FILE* out, std::string_view countTitle, int width) {
    writeCell(out, width, countTitle);
    writeCell(out, width, "Moyenne");
    writeCell(out, width, "Variance");
    writeCell(out, width, "Min-Max");
}

void writeTruncatedDecimal(std::FILE* out, double x, int decimals) {
    putf(out, "%lld.", printable(truncated(x)));
    for (int i = 0; i < decimals; ++i) {
        double t = std::trunc(x);
        x = (x - t) * 10.0;
        putNumber(out, truncated(x));
    }
}

void writeSpeedText(std::FILE* out, const ValueList& intervals) {
    std::int32_t count = intervals.count();
    if (count <= 40)
        return;
    double mean = sampleMean(intervals);
    std::int64_t whole = truncated(mean);
    std::int64_t tenths = truncated((mean - std::trunc(mean)) * 10.0);
    if (count <= 100) {
        putf(out, " (vitesse : %lld,%llds)", printable(whole), printable(tenths));
        return;
    }
    double scaled = 10.0 * mean;
    std::int64_t hundredths = roundHalfUp((scaled - std::trunc(scaled)) * 10.0);
    // A second digit rounded up to 10 carries into the digits before it.
    if (hundredths >= 10) {
        hundredths -= 10;
        tenths += 1;
        if (tenths >= 10) {
            tenths -= 10;
            whole += 1;
        }
    }
    putf(out, " (vitesse : %lld,%lld%llds)", printable(whole), printable(tenths),
         printable(hundredths));
}

namespace {

int decimalDigits(std::int64_t v) {
    int digits = 0;
    while (v != 0 && digits < 20) {
        v /= 10;
        ++digits;
    }
    return digits;
}

std::int64_t powerOfTen(int exponent) {
    std::int64_t p = 1;
    for (int i = 0; i < exponent; ++i)
        p *= 10;
    return p;
}

}  // namespace

void writeGroupedNumber(std::FILE* out, std::int64_t low, std::int64_t high) {
    const bool hasHigh = high > 0;
    if (hasHigh) {
        for (int i = decimalDigits(high) - 1; i >= 0; --i) {
            std::int64_t digit = high / powerOfTen(i);
            high -= digit * powerOfTen(i);
            putNumber(out, digit);
            if (i % 3 == 0)
                put(out, ".");
        }
    }
    int lowDigits = decimalDigits(low);
    if (lowDigits == 0)
        lowDigits = 1;
    if (hasHigh && lowDigits < 9) {
        for (int j = 0; j < 9 - lowDigits; ++j) {
            put(out, "0");
            if (j % 3 == 2)
                put(out, ".");
        }
    }
    for (int i = lowDigits - 1; i >= 0; --i) {
        std::int64_t digit = low / powerOfTen(i);
        low -= digit * powerOfTen(i);
        putNumber(out, digit);
        if (i % 3 == 0 && i != 0)
            put(out, ".");
    }
}

}  // namespace torvelin

#include "report/attack_sections.h"

#include <cmath>

#include "base/latin1.h"
#include "base/text.h"
#include "report/page_output.h"
#include "report/page_tables.h"
#include "report/statistics.h"

namespace torvelin {
namespace {

// A percentage with one truncated decimal; 0.0 when nothing was attempted.
void writeDecimalPercent(std::FILE* out, std::int64_t part, std::int64_t whole) {
    double value =
        whole == 0 ? 0.0 : static_cast<double>(part) * 100.0 / static_cast<double>(whole);
    writeTruncatedDecimal(out, value, 1);
}

// Successful styles: attempts over attempts and failures, truncated.
std::int64_t styleSuccessPercent(std::int64_t attempts, std::int64_t failures) {
    std::int64_t tries = attempts + failures;
    return tries == 0 ? 0 : attempts * 100 / tries;
}

void appendAll(ValueList& gathered, const ValueList& list) {
    for (std::int32_t value : list.values)
        appendValue(gathered, value);
}

// The sum of the entries of one weapon, for its total row and its speed.
WeaponStyleEntry weaponTotal(const PartStats& stats, const WeaponGroup& group) {
    WeaponStyleEntry total;
    for (std::int32_t index : group.entries) {
        const WeaponStyleEntry& entry = stats.weaponStyles[static_cast<std::size_t>(index)];
        total.missCount += entry.missCount;
        total.styleFailCount += entry.styleFailCount;
        total.fumbleCount += entry.fumbleCount;
        total.evadedCount += entry.evadedCount;
        total.parriedCount += entry.parriedCount;
        total.blockedCount += entry.blockedCount;
        total.barrierCount += entry.barrierCount;
        appendAll(total.hitDamage, entry.hitDamage);
        appendAll(total.critDamage, entry.critDamage);
        appendAll(total.attackIntervals, entry.attackIntervals);
        appendAll(total.procDamage, entry.procDamage);
        appendAll(total.styleBonus, entry.styleBonus);
        appendAll(total.hitModifier, entry.hitModifier);
        appendAll(total.preciseShotModifier, entry.preciseShotModifier);
    }
    return total;
}

std::int64_t missedAttempts(const WeaponStyleEntry& entry) {
    return std::int64_t{entry.missCount} + entry.fumbleCount + entry.evadedCount +
           entry.parriedCount + entry.blockedCount + entry.barrierCount;
}

// The statistics of a row of the weapon tables, with the rates of criticals and procs.
void writeWeaponStatCells(std::FILE* out, const WeaponStyleEntry& entry, int width) {
    writeStatCells(out, entry.hitDamage, &entry.hitModifier, &entry.critDamage, width);
    writePercentCell(out, width, roundedPercent(entry.procDamage.count(), entry.hitDamage.count()));
}

void writeWeaponStatTitleCells(std::FILE* out, int width) {
    writeStatTitleCells(out, "Coups réussis"_l1, width);
    writeCell(out, width, "critiques");
    writeCell(out, width, "Procs DD");
}

// The first cell of a row of a weapon table: the style and its mean bonus, "Name(+12)".
void writeStyleCell(std::FILE* out, std::string_view name, const ValueList& bonus) {
    openTallCell(out, 200);
    put(out, name);
    putf(out, "(+%lld)", printable(roundHalfUp(sampleMean(bonus))));
    closeCell(out);
}

void writeStyleRow(std::FILE* out, const WeaponStyleEntry& entry, std::int64_t attempts) {
    std::int64_t hits = entry.hitDamage.count();
    openRow(out);
    writeStyleCell(out, htmlEscape(entry.styleName), entry.styleBonus);
    writeWeaponStatCells(out, entry, 70);
    openCell(out, 270);
    putf(out,
         "<b>%lld%%</b> (%lld%% ratés, %lld%% bloqués, %lld%% parés,<br>%lld%% esquivés, "
         "%lld%% bullés, %lld%% fumble)"_l1.c_str(),
         printable(roundedPercent(static_cast<double>(attempts - hits), attempts)),
         printable(roundedPercent(entry.missCount, attempts)),
         printable(roundedPercent(entry.blockedCount, attempts)),
         printable(roundedPercent(entry.parriedCount, attempts)),
         printable(roundedPercent(entry.evadedCount, attempts)),
         printable(roundedPercent(entry.barrierCount, attempts)),
         printable(roundedPercent(entry.fumbleCount, attempts)));
    closeCell(out);
    writePercentCell(out, 70, styleSuccessPercent(attempts, entry.styleFailCount));
    closeRow(out);
}

// A misses cell with one truncated decimal for each share: the attempts without a hit, then
// misses, blocks, parries (not for ranged weapons), evades, barriers and fumbles.
void writeDecimalMissesCell(std::FILE* out, int width, const WeaponStyleEntry& entry,
                            std::int64_t unsuccessful, std::int64_t attempts, bool withParries) {
    openCell(out, width);
    put(out, "<b>");
    writeDecimalPercent(out, unsuccessful, attempts);
    put(out, "%,</b> (");
    writeDecimalPercent(out, entry.missCount, attempts);
    put(out, "% ratés, "_l1);
    writeDecimalPercent(out, entry.blockedCount, attempts);
    put(out, "% bloqués, "_l1);
    if (withParries) {
        writeDecimalPercent(out, entry.parriedCount, attempts);
        put(out, "% parés, "_l1);
    }
    writeDecimalPercent(out, entry.evadedCount, attempts);
    put(out, "% esquivés, "_l1);
    writeDecimalPercent(out, entry.barrierCount, attempts);
    put(out, "% bullés, "_l1);
    writeDecimalPercent(out, entry.fumbleCount, attempts);
    put(out, "% fumble)");
    closeCell(out);
}

// The misses cell of the weapon total and multiple-attack rows.
void writeDetailedMissesCell(std::FILE* out, const WeaponStyleEntry& entry, std::int64_t attempts) {
    writeDecimalMissesCell(out, 270, entry, attempts - entry.hitDamage.count(), attempts, true);
}

void writeTotalRow(std::FILE* out, const WeaponStyleEntry& total) {
    std::int64_t attempts = missedAttempts(total) + total.hitDamage.count();
    openHeaderRow(out);
    writeStyleCell(out, "<i>Total</i>", total.styleBonus);
    writeWeaponStatCells(out, total, 70);
    writeDetailedMissesCell(out, total, attempts);
    writePercentCell(out, 70, styleSuccessPercent(attempts, total.styleFailCount));
    closeRow(out);
}

void writeWeaponTable(const PageContext& page, const PartStats& stats, const AttackReport& report,
                      const WeaponGroup& group) {
    std::FILE* out = page.out;
    WeaponStyleEntry total = weaponTotal(stats, group);
    openSectionTitle(out, "Avec l'arme : " + htmlEscape(group.weaponName));
    writeSpeedText(out, total.attackIntervals);
    closeSectionTitle(page);
    openEntryTable(out);
    openHeaderRow(out);
    writeTallCell(out, 200, " Nom du style ");
    writeWeaponStatTitleCells(out, 70);
    writeCell(out, 270, "Total des coups manqués"_l1);
    writeCell(out, 70, "Styles reussis");
    closeRow(out);
    for (std::int32_t index : group.entries) {
        auto position = static_cast<std::size_t>(index);
        const WeaponStyleEntry& entry = stats.weaponStyles[position];
        // Entries without a real hit (only marked hits, or none) get no row.
        if (sampleMean(entry.hitDamage) == 0.0)
            continue;
        writeStyleRow(out, entry, report.attemptCounts[position]);
    }
    if (group.entries.size() > 1)
        writeTotalRow(out, total);
    closeTable(out);
}

void writeWeaponSections(const PageContext& page, const PartStats& stats,
                         const AttackReport& report) {
    if (stats.weaponStyleCount == 0)
        return;
    writeSectionAnchor(page.out, "Attaques");
    for (const WeaponGroup& group : report.weaponGroups)
        writeWeaponTable(page, stats, report, group);
}

// A further share of the multiple attacks after the title, in a font of its own.
void writeMultipleShare(std::FILE* out, const char* label, std::int64_t count,
                        std::int64_t single) {
    put(out, "</font>");
    openLargeFont(out);
    putf(out, " (%s : ", label);
    writeDecimalPercent(out, count, single);
    put(out, "%)");
}

void writeMultipleSection(const PageContext& page, const PartStats& stats,
                          const AttackReport& report) {
    if (report.multipleEntries.empty())
        return;
    std::FILE* out = page.out;
    // Attempts of the ordinary melee entries: the share of double, triple and quadruple attacks.
    std::int64_t single = report.meleeAttempts - report.multipleAttempts;
    std::int64_t doubles = report.multipleAttempts - stats.tripleCount - stats.quadrupleCount;
    put(out, "\n\n");  // the section has no anchor of its own
    openSectionTitle(out, "Coups Multiples");
    putf(out, " (doubles : %lld%%)",
         printable(roundedPercent(static_cast<double>(doubles), static_cast<double>(single))));
    if (stats.tripleCount != 0)
        writeMultipleShare(out, "triples", stats.tripleCount, single);
    if (stats.quadrupleCount != 0)
        writeMultipleShare(out, "quadruples", stats.quadrupleCount, single);
    closeSectionTitle(page);
    openEntryTable(out);
    openHeaderRow(out);
    writeCell(out, 250, " Nom de l'arme ");
    writeWeaponStatTitleCells(out, 80);
    writeCell(out, 250, "Total des coups manqués"_l1);
    closeRow(out);
    for (std::int32_t index : report.multipleEntries) {
        auto position = static_cast<std::size_t>(index);
        const WeaponStyleEntry& entry = stats.weaponStyles[position];
        openRow(out);
        writeCell(out, 270, htmlEscape(entry.weaponName));
        writeWeaponStatCells(out, entry, 80);
        writeDetailedMissesCell(out, entry, report.attemptCounts[position]);
        closeRow(out);
    }
    closeTable(out);
}

void writeRangedRow(std::FILE* out, const WeaponStyleEntry& entry, std::int64_t attempts) {
    std::int64_t hits = entry.hitDamage.count();
    std::int64_t precise = entry.preciseShotDamage.count();
    openRow(out);
    openNameCell(out, 300);
    putEscaped(out, entry.weaponName);
    writeSpeedText(out, entry.attackIntervals);
    closeCell(out);
    writeStatCells(out, entry.hitDamage, &entry.hitModifier, &entry.critDamage);
    // Precise shots are hits too; parries do not happen to ranged attacks.
    writeDecimalMissesCell(out, 250, entry, attempts - hits - precise, attempts, false);
    closeRow(out);
    if (precise == 0)
        return;
    openRow(out);
    put(out, "<td align=\"right\" width=\"300\" > <i>Tir Précis </i></td>"_l1);
    writeStatCells(out, entry.preciseShotDamage, &entry.preciseShotModifier, nullptr);
    writeCell(out, 80, "-");
    writeCell(out, 250, "-");
    closeRow(out);
}

void writeRangedSection(const PageContext& page, const PartStats& stats,
                        const AttackReport& report) {
    if (report.rangedEntries.empty())
        return;
    std::FILE* out = page.out;
    writeSectionTitle(page, "Range", "Archerie et Armes de jet");
    openEntryTable(out);
    openHeaderRow(out);
    writeNameCell(out, 300, " Nom de l'arme ");
    writeStatTitleCells(out, "Coups réussis"_l1);
    writeCell(out, 80, "Critiques");
    writeCell(out, 250, "Total des coups manqués"_l1);
    closeRow(out);
    for (std::int32_t index : report.rangedEntries) {
        auto position = static_cast<std::size_t>(index);
        writeRangedRow(out, stats.weaponStyles[position], report.attemptCounts[position]);
    }
    closeTable(out);
}

// Moves the hits of one ranged entry that exceed the threshold; the thresholds 2.0 to 1.5 times
// the mean are tried from the widest, and every move starts the search over.
void separateEntryShots(WeaponStyleEntry& entry) {
    ValueList& hits = entry.hitDamage;
    ValueList& modifiers = entry.hitModifier;
    double mean = sampleMean(hits);
    int pass = 0;
    while (pass < 6) {
        bool moved = false;
        double threshold = (2.0 - 0.1 * pass) * mean;
        for (std::size_t j = 0; j < hits.values.size(); ++j) {
            if (static_cast<double>(hits.values[j]) <= threshold)
                continue;
            appendValue(entry.preciseShotDamage, hits.values[j]);
            removeSwappingLast(hits, j);
            mean = sampleMean(hits);
            if (j < modifiers.values.size()) {
                appendValue(entry.preciseShotModifier, modifiers.values[j]);
                removeSwappingLast(modifiers, j);
            }
            moved = true;
            break;
        }
        pass = moved ? 0 : pass + 1;
    }
}

}  // namespace

std::int32_t attemptCount(const WeaponStyleEntry& entry) {
    return entry.missCount + entry.fumbleCount + entry.evadedCount + entry.parriedCount +
           entry.blockedCount + entry.barrierCount + entry.preciseShotDamage.count() +
           entry.hitDamage.count();
}

void separatePreciseShots(PartStats& stats) {
    for (std::int32_t i = 0; i < stats.weaponStyleCount; ++i) {
        WeaponStyleEntry& entry = stats.weaponStyles[static_cast<std::size_t>(i)];
        if (startsWith(entry.styleName, styleRanged))
            separateEntryShots(entry);
    }
}

AttackReport prepareAttackReport(const PartStats& stats) {
    AttackReport report;
    for (std::int32_t i = 0; i < stats.weaponStyleCount; ++i) {
        const WeaponStyleEntry& entry = stats.weaponStyles[static_cast<std::size_t>(i)];
        std::int32_t attempts = attemptCount(entry);
        report.attemptCounts.push_back(attempts);
        if (entry.styleName != styleRanged)
            report.meleeAttempts += attempts;
        if (entry.styleName == styleMultiple)
            report.multipleAttempts += attempts;
    }
    for (std::int32_t i = 0; i < stats.weaponStyleCount; ++i) {
        const WeaponStyleEntry& entry = stats.weaponStyles[static_cast<std::size_t>(i)];
        if (entry.weaponName == unknownWeapon)
            continue;
        if (isLeadingPartOf(entry.styleName, styleRanged)) {
            report.rangedEntries.push_back(i);
            continue;
        }
        if (isLeadingPartOf(entry.styleName, styleMultiple)) {
            report.multipleEntries.push_back(i);
            continue;
        }
        // An entry joins every weapon whose name begins with its own weapon's name.
        bool grouped = false;
        for (WeaponGroup& group : report.weaponGroups) {
            if (startsWith(group.weaponName, entry.weaponName)) {
                group.entries.push_back(i);
                grouped = true;
            }
        }
        if (grouped)
            continue;
        report.weaponGroups.push_back(WeaponGroup{entry.weaponName, {i}});
    }
    return report;
}

void writeAttackSections(const PageContext& page, const PartStats& stats,
                         const AttackReport& report) {
    writeWeaponSections(page, stats, report);
    writeMultipleSection(page, stats, report);
    writeRangedSection(page, stats, report);
}

}  // namespace torvelin

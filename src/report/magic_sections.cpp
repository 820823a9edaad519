#include "report/magic_sections.h"

#include <string>

#include "base/latin1.h"
#include "report/page_output.h"
#include "report/page_tables.h"
#include "report/statistics.h"

namespace torvelin {
namespace {

// A table without a frame, which only places what it holds.
constexpr const char* layoutTable = "<table>";

void writeSpellNameCell(std::FILE* out, const SpellEntry& spell) {
    openNameCell(out, 300);
    putEscaped(out, spell.name);
    writeSpeedText(out, spell.castTimes);
    closeCell(out);
}

// "<whole>,<tenth> personnes": targets reached per cast, the tenth rounded (and carried into the
// whole part when it rounds to 10). No cast shows 0,0.
void writePersonsCell(std::FILE* out, std::int64_t targets, std::int64_t casts) {
    std::int64_t whole = 0;
    std::int64_t tenth = 0;
    if (casts != 0) {
        whole = targets / casts;
        double perCast = static_cast<double>(targets) / static_cast<double>(casts);
        tenth = roundHalfUp((perCast - static_cast<double>(whole)) * 10.0);
        if (tenth >= 10) {
            tenth -= 10;
            whole += 1;
        }
    }
    openCell(out, 150);
    putf(out, "%lld,%lld personnes", printable(whole), printable(tenth));
    closeCell(out);
}

// The framed table of one sample list, in a row below its caption, then the end of the table
// that holds both. `resisted` adds the share of spells resisted to the figures.
void writeSampleTable(std::FILE* out, const ValueList& samples,
                      const std::int32_t* resisted = nullptr) {
    put(out, "<tr>");
    openCell(out);
    openSmallTable(out);
    openHeaderRow(out);
    writeStatTitleCells(out, "Coups");
    if (resisted != nullptr)
        writeCell(out, 80, "Résistés"_l1);
    closeRow(out);
    openRow(out);
    writeStatCells(out, samples, nullptr, nullptr);
    if (resisted != nullptr)
        writePercentCell(
            out, 80, roundedPercent(*resisted, static_cast<double>(*resisted) + samples.count()));
    closeRow(out);
    closeTable(out);
    closeTable(out);
}

// The start of a grid cell, which holds a captioned sample table.
void openGridCell(std::FILE* out) {
    openCell(out);
    put(out, layoutTable);
}

void openCaptionRow(std::FILE* out) {
    put(out, "<tr align=\"center\"><td>");
}

// The captions of the sample tables close their row before their cell.
void closeCaptionRow(std::FILE* out) {
    put(out, "</tr></td>");
}

void writeCaptionRow(std::FILE* out, std::string_view caption) {
    openCaptionRow(out);
    put(out, caption);
    closeCaptionRow(out);
}

// Grids hold three tables per row: the fourth opens a new row.
void openGrid(std::FILE* out) {
    put(out, layoutTable);
    put(out, "<tr>");
}

void nextGridColumn(std::FILE* out, int& column) {
    column += 1;
    if (column == 4) {
        column = 1;
        put(out, "</tr><tr>");
    }
}

void closeGrid(std::FILE* out) {
    closeRow(out);
    closeTable(out);
}

bool isShownSpell(const SpellEntry& spell) {
    return !spell.hitDamage.empty() && spell.spellKind != SpellKind::heal;
}

bool isShownHeal(const SpellEntry& spell) {
    return !spell.hitDamage.empty() && spell.spellKind == SpellKind::heal;
}

bool isNonOffensive(const SpellEntry& spell) {
    return spell.hitDamage.empty() && spell.spellKind != SpellKind::heal;
}

const SpellEntry& spellAt(const PartStats& stats, std::int32_t index) {
    return stats.spells[static_cast<std::size_t>(index)];
}

void writeSpellRow(std::FILE* out, const SpellEntry& spell) {
    openRow(out);
    writeSpellNameCell(out, spell);
    writeStatCells(out, spell.hitDamage, &spell.hitModifier, &spell.critDamage);
    std::int32_t hits = spell.hitDamage.count();
    writePercentCell(
        out, 80, roundedPercent(spell.resistCount, static_cast<double>(spell.resistCount) + hits));
    if (spell.spellKind == SpellKind::area) {
        std::int64_t attempts = std::int64_t{hits} + spell.resistCount + spell.missCount;
        writePersonsCell(out, attempts, spell.castCount);
    } else {
        writeCell(out, 150, "-");
    }
    closeRow(out);
}

void writeHealRow(std::FILE* out, const SpellEntry& spell) {
    openRow(out);
    writeSpellNameCell(out, spell);
    writeStatCells(out, spell.hitDamage, nullptr, nullptr);
    double uncapped = spell.hitDamage.count();
    double capped = spell.cappedHeals.count();
    double uncappedMean = sampleMean(spell.hitDamage);
    double healed = uncapped * uncappedMean + capped * sampleMean(spell.cappedHeals);
    writeNumberCell(out, 120, roundHalfUp(healed / (uncapped + capped)));
    // Efficiency: the real mean as a percentage of the mean of the heals that were not capped.
    writePercentCell(out, 80, roundedPercent(healed, (uncapped + capped) * uncappedMean));
    std::int64_t heals = spell.hitDamage.count() + spell.cappedHeals.count();
    double perCast = spell.castCount == 0 ? 0.0 : static_cast<double>(heals) / spell.castCount;
    if (perCast > 1.05)
        writePersonsCell(out, heals, spell.castCount);
    else
        writeCell(out, 150, "-");
    closeRow(out);
}

void writeNonOffensiveRow(std::FILE* out, const SpellEntry& spell) {
    openRow(out);
    writeSpellNameCell(out, spell);
    writeNumberCell(out, 80, spell.castCount);
    writePercentCell(out, 80, roundedPercent(spell.resistCount, spell.castCount));
    closeRow(out);
}

// Ends the title row of a spell table, then writes a row for every spell `shown` picks and
// closes the table.
void writeSpellRows(std::FILE* out, const PartStats& stats, bool (*shown)(const SpellEntry&),
                    void (*writeRow)(std::FILE*, const SpellEntry&)) {
    closeRow(out);
    for (std::int32_t i = 0; i < stats.spellCount; ++i) {
        if (shown(spellAt(stats, i)))
            writeRow(out, spellAt(stats, i));
    }
    closeTable(out);
}

// The cells of one row of the avoidance table: shares of all the attacks aimed at the player.
void writeAvoidanceCells(std::FILE* out, const PartStats& stats, std::int64_t avoided,
                         double attacks) {
    const auto& counts = stats.avoidances;
    writePercentCell(out, 150, roundedPercent(static_cast<double>(avoided), attacks));
    writePercentCell(out, 150, roundedPercent(counts[Avoidance::enemyMiss], attacks));
    writePercentCell(out, 80, roundedPercent(counts[Avoidance::block], attacks));
    writePercentCell(out, 80, roundedPercent(counts[Avoidance::parry], attacks));
    writePercentCell(out, 80, roundedPercent(counts[Avoidance::evade], attacks));
    if (counts[Avoidance::guard] != 0)
        writePercentCell(out, 80, roundedPercent(counts[Avoidance::guard], attacks));
    double absorbed = counts[Avoidance::barrierAbsorbed];
    openCell(out, 150);
    putf(out, "%lld%% (efficacité : %lld%%)"_l1.c_str(),
         printable(roundedPercent(absorbed, attacks)),
         printable(roundedPercent(absorbed, absorbed + stats.barrierPierced)));
    closeCell(out);
}

void writeAvoidanceTable(std::FILE* out, const PartStats& stats, std::int64_t avoided,
                         double attacks) {
    put(out, "<br>");
    openSmallTable(out);
    openHeaderRow(out);
    writeCell(out, 150, "");
    writeCell(out, 150, "Total des coups evités"_l1);
    writeCell(out, 150, "Ratés par l'ennemi"_l1);
    writeCell(out, 80, "Bloqués"_l1);
    writeCell(out, 80, "Parés"_l1);
    writeCell(out, 80, "Esquivés"_l1);
    if (stats.avoidances[Avoidance::guard] != 0)
        writeCell(out, 80, "Gardés"_l1);
    writeCell(out, 150, "Evités par une bulle"_l1);
    closeRow(out);
    // The partial average keeps the shape of the table with the same figures as the total one.
    for (const char* label : {"moyenne totale", "moyenne partielle"}) {
        openRow(out);
        writeCell(out, 150, label);
        writeAvoidanceCells(out, stats, avoided, attacks);
        closeRow(out);
    }
    closeTable(out);
}

}  // namespace

void writeSpellSection(const PageContext& page, const PartStats& stats) {
    if (!page.flags.hasSpells)
        return;
    std::FILE* out = page.out;
    writeSectionTitle(page, "Sorts", "Sorts réussis"_l1);
    openEntryTable(out);
    openHeaderRow(out);
    writeNameCell(out, 300, " Nom du sort ");
    writeStatTitleCells(out, "Coups");
    writeCell(out, 80, "Critiques");
    writeCell(out, 80, "Résistés"_l1);
    writeCell(out, 150, "Touches / Sort de zone");
    writeSpellRows(out, stats, isShownSpell, writeSpellRow);
}

void writeHealSection(const PageContext& page, const PartStats& stats) {
    if (!page.flags.hasHeals)
        return;
    std::FILE* out = page.out;
    writeSectionTitle(page, "Soins", "Soins");
    openEntryTable(out);
    openHeaderRow(out);
    writeNameCell(out, 300, "Nom du soin ");
    writeCell(out, 80, "Lancements");
    writeCell(out, 80, "Moyenne<br>(non capés)"_l1);
    writeCell(out, 80, "Variance");
    writeCell(out, 80, "Min-Max");
    writeCell(out, 120, "Moyenne réelle"_l1);
    writeCell(out, 80, "Efficacité"_l1);
    writeCell(out, 150, "Soins de groupe");
    writeSpellRows(out, stats, isShownHeal, writeHealRow);
}

void writeNonOffensiveSection(const PageContext& page, const PartStats& stats) {
    if (page.flags.hasNonOffensive) {
        std::FILE* out = page.out;
        writeSectionTitle(page, "SortsNO", "Sorts non offensifs");
        openEntryTable(out);
        openHeaderRow(out);
        writeNameCell(out, 300, " Nom du sort ");
        writeCell(out, 80, "Lancements");
        writeCell(out, 80, "Résistés"_l1);
        // A heal whose every heal was capped has no hit left and appears in no table.
        writeSpellRows(out, stats, isNonOffensive, writeNonOffensiveRow);
    }
    writeGivenEffectGrid(page, stats);
}

void writeGivenEffectGrid(const PageContext& page, const PartStats& stats) {
    std::FILE* out = page.out;
    put(out, "\n\n<p></p>");
    openGrid(out);
    int column = 0;
    for (GivenEffect effect : allKinds<GivenEffect>()) {
        const ValueList& ticks = stats.givenEffects[effect];
        if (ticks.empty())
            continue;
        std::string title(givenEffectTitle(effect));
        // The anchor of the effect's navigation link.
        putf(out, "<a name=\"%s\"></a>", title.c_str());
        nextGridColumn(out, column);
        openGridCell(out);
        openCaptionRow(out);
        openLargeTitle(out, title);
        put(out, "</font>");
        writeSummaryLink(page);
        closeCaptionRow(out);
        writeSampleTable(out, ticks);
        closeCell(out);
    }
    closeGrid(out);
}

void writeDefenceSection(const PageContext& page, const PartStats& stats) {
    if (page.flags.defenceTotal == 0)
        return;
    std::FILE* out = page.out;
    writeSectionTitle(page, "Defense", "Défense"_l1);
    openGrid(out);
    // The monsters' melee blows are the first column of the grid.
    int column = 0;
    if (!stats.meleeHitsTaken.empty()) {
        column += 1;
        openGridCell(out);
        openCaptionRow(out);
        put(out, "Coups portés par un monstre</td></tr>"_l1);
        writeSampleTable(out, stats.meleeHitsTaken);
        closeCell(out);
    }
    // Spells taken have a table of their own, below the grid.
    for (IncomingKind kind : allKinds<IncomingKind>()) {
        const ValueList& damage = stats.receivedDamage[kind];
        if (kind == IncomingKind::spell)
            continue;
        if (damage.empty())
            continue;
        nextGridColumn(out, column);
        openGridCell(out);
        writeCaptionRow(out, receivedDamageTitle(kind));
        writeSampleTable(out, damage);
        closeCell(out);
    }
    closeGrid(out);

    const ValueList& spellsTaken = stats.receivedDamage[IncomingKind::spell];
    if (!spellsTaken.empty()) {
        put(out, "<table width=\"400\">");
        writeCaptionRow(out, receivedDamageTitle(IncomingKind::spell));
        writeSampleTable(out, spellsTaken, &stats.effectsResisted);
    }

    std::int64_t avoided = 0;
    for (std::int32_t count : stats.avoidances)
        avoided += count;
    if (avoided != 0) {
        double attacks = static_cast<double>(avoided + page.flags.defenceTotal);
        writeAvoidanceTable(out, stats, avoided, attacks);
    }
}

}  // namespace torvelin

#include "report/magic_sections.h"

#include <string>

#include "base/latin1.h"
#include "report/page_output.h"
#include "report/statistics.h"

namespace torvelin {
namespace {

constexpr const char* tableStart = "<table  border=\"0\" bgcolor=\"#000000\">";
constexpr const char* innerTableStart = "<table border=\"0\" bgcolor=\"#000000\">";
constexpr const char* headerRow = "<tr align=\"center\" bgcolor=\"#DEE3E7\">";
constexpr const char* row = "<tr align=\"center\" bgcolor=\"#EFEFEF\">";

// The title paragraph of a section, closed by the link back to the summary.
void writeSectionTitle(const PageContext& page, const char* anchor, std::string_view title) {
    putf(page.out, "\n\n<a name=\"%s\"></a>", anchor);
    put(page.out, "<p><font size=\"4\"><b>");
    put(page.out, title);
    put(page.out, "</b></font>");
    writeSummaryLink(page);
}

void writeSpellNameCell(std::FILE* out, const SpellEntry& spell) {
    put(out, "<td width=\"300\" >");
    put(out, htmlEscape(spell.name));
    writeSpeedText(out, spell.castTimes);
    put(out, "</td>");
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
    putf(out, "<td width=\"150\">%lld,%lld personnes</td>", printable(whole), printable(tenth));
}

void writePercentCell(std::FILE* out, const char* format, double part, double whole) {
    putf(out, format, printable(roundedPercent(part, whole)));
}

// The four header cells of a sample table.
void writeSampleHeader(std::FILE* out) {
    put(out, "<td width=\"80\">Coups</td>");
    put(out, "<td width=\"80\">Moyenne</td>");
    put(out, "<td width=\"80\">Variance</td>");
    put(out, "<td width=\"80\">Min-Max</td>");
}

// The framed table of one sample list, under a caption row, closing the cell that holds it.
void writeSampleTable(std::FILE* out, const ValueList& samples) {
    put(out, "<tr><td>");
    put(out, innerTableStart);
    put(out, headerRow);
    writeSampleHeader(out);
    put(out, "</tr>");
    put(out, row);
    writeStatCells(out, samples, nullptr, nullptr);
    put(out, "</tr>");
    put(out, "</table>");
    put(out, "</table>");
    put(out, "</td>");
}

// Grids hold three tables per row: the fourth opens a new row.
void nextGridColumn(std::FILE* out, int& column) {
    column += 1;
    if (column == 4) {
        column = 1;
        put(out, "</tr><tr>");
    }
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
    put(out, row);
    writeSpellNameCell(out, spell);
    writeStatCells(out, spell.hitDamage, &spell.hitModifier, &spell.critDamage);
    std::int32_t hits = spell.hitDamage.count();
    writePercentCell(out, "<td width=\"80\">%lld%%</td>", spell.resistCount,
                     static_cast<double>(spell.resistCount) + hits);
    if (spell.spellKind == SpellKind::area) {
        std::int64_t attempts = std::int64_t{hits} + spell.resistCount + spell.missCount;
        writePersonsCell(out, attempts, spell.castCount);
    } else {
        put(out, "<td width=\"150\">-</td>");
    }
    put(out, "</tr>");
}

void writeHealRow(std::FILE* out, const SpellEntry& spell) {
    put(out, row);
    writeSpellNameCell(out, spell);
    writeStatCells(out, spell.hitDamage, nullptr, nullptr);
    double uncapped = spell.hitDamage.count();
    double capped = spell.cappedHeals.count();
    double uncappedMean = sampleMean(spell.hitDamage);
    double healed = uncapped * uncappedMean + capped * sampleMean(spell.cappedHeals);
    putf(out, "<td width=\"120\">%lld</td>", printable(roundHalfUp(healed / (uncapped + capped))));
    // Efficiency: the real mean as a percentage of the mean of the heals that were not capped.
    writePercentCell(out, "<td width=\"80\">%lld%%</td>", healed,
                     (uncapped + capped) * uncappedMean);
    std::int64_t heals = spell.hitDamage.count() + spell.cappedHeals.count();
    double perCast = spell.castCount == 0 ? 0.0 : static_cast<double>(heals) / spell.castCount;
    if (perCast > 1.05)
        writePersonsCell(out, heals, spell.castCount);
    else
        put(out, "<td width=\"150\">-</td>");
    put(out, "</tr>");
}

void writeNonOffensiveRow(std::FILE* out, const SpellEntry& spell) {
    put(out, row);
    writeSpellNameCell(out, spell);
    putf(out, "<td width=\"80\">%i</td>", spell.castCount);
    writePercentCell(out, "<td width=\"80\">%lld%%</td>", spell.resistCount, spell.castCount);
    put(out, "</tr>");
}

// The cells of one row of the avoidance table: shares of all the attacks aimed at the player.
void writeAvoidanceCells(std::FILE* out, const PartStats& stats, std::int64_t avoided,
                         double attacks) {
    const auto& counts = stats.avoidances;
    writePercentCell(out, "<td width=\"150\">%lld%%</td>", static_cast<double>(avoided), attacks);
    writePercentCell(out, "<td width=\"150\">%lld%%</td>", counts[Avoidance::enemyMiss], attacks);
    writePercentCell(out, "<td width=\"80\">%lld%%</td>", counts[Avoidance::block], attacks);
    writePercentCell(out, "<td width=\"80\">%lld%%</td>", counts[Avoidance::parry], attacks);
    writePercentCell(out, "<td width=\"80\">%lld%%</td>", counts[Avoidance::evade], attacks);
    if (counts[Avoidance::guard] != 0)
        writePercentCell(out, "<td width=\"80\">%lld%%</td>", counts[Avoidance::guard], attacks);
    double absorbed = counts[Avoidance::barrierAbsorbed];
    putf(out, "<td width=\"150\">%lld%% (efficacité : %lld%%)</td>"_l1.c_str(),
         printable(roundedPercent(absorbed, attacks)),
         printable(roundedPercent(absorbed, absorbed + stats.barrierPierced)));
}

void writeAvoidanceTable(std::FILE* out, const PartStats& stats, std::int64_t avoided,
                         double attacks) {
    put(out, "<br>");
    put(out, innerTableStart);
    put(out, headerRow);
    put(out, "<td width=\"150\"></td>");
    put(out, "<td width=\"150\">Total des coups evités</td>"_l1);
    put(out, "<td width=\"150\">Ratés par l'ennemi</td>"_l1);
    put(out, "<td width=\"80\">Bloqués</td>"_l1);
    put(out, "<td width=\"80\">Parés</td>"_l1);
    put(out, "<td width=\"80\">Esquivés</td>"_l1);
    if (stats.avoidances[Avoidance::guard] != 0)
        put(out, "<td width=\"80\">Gardés</td>"_l1);
    put(out, "<td width=\"150\">Evités par une bulle</td>"_l1);
    put(out, "</tr>");
    // The partial average keeps the shape of the table with the same figures as the total one.
    for (const char* label : {"moyenne totale", "moyenne partielle"}) {
        put(out, row);
        putf(out, "<td width=\"150\">%s</td>", label);
        writeAvoidanceCells(out, stats, avoided, attacks);
        put(out, "</tr>");
    }
    put(out, "</table>");
}

}  // namespace

void writeSpellSection(const PageContext& page, const PartStats& stats) {
    if (!page.flags.hasSpells)
        return;
    std::FILE* out = page.out;
    writeSectionTitle(page, "Sorts", "Sorts réussis"_l1);
    put(out, tableStart);
    put(out, headerRow);
    put(out, "<td width=\"300\" > Nom du sort </td>");
    put(out, "<td width=\"80\">Coups</td>");
    put(out, "<td width=\"80\">Moyenne</td>");
    put(out, "<td width=\"80\">Variance</td>");
    put(out, "<td width=\"80\">Min-Max</td>");
    put(out, "<td width=\"80\">Critiques</td>");
    put(out, "<td width=\"80\">Résistés</td>"_l1);
    put(out, "<td width=\"150\">Touches / Sort de zone</td>");
    put(out, "</tr>");
    for (std::int32_t i = 0; i < stats.spellCount; ++i) {
        if (isShownSpell(spellAt(stats, i)))
            writeSpellRow(out, spellAt(stats, i));
    }
    put(out, "</table>");
}

void writeHealSection(const PageContext& page, const PartStats& stats) {
    if (!page.flags.hasHeals)
        return;
    std::FILE* out = page.out;
    writeSectionTitle(page, "Soins", "Soins");
    put(out, tableStart);
    put(out, headerRow);
    put(out, "<td width=\"300\" >Nom du soin </td>");
    put(out, "<td width=\"80\">Lancements</td>");
    put(out, "<td width=\"80\">Moyenne<br>(non capés)</td>"_l1);
    put(out, "<td width=\"80\">Variance</td>");
    put(out, "<td width=\"80\">Min-Max</td>");
    put(out, "<td width=\"120\">Moyenne réelle</td>"_l1);
    put(out, "<td width=\"80\">Efficacité</td>"_l1);
    put(out, "<td width=\"150\">Soins de groupe</td>");
    put(out, "</tr>");
    for (std::int32_t i = 0; i < stats.spellCount; ++i) {
        if (isShownHeal(spellAt(stats, i)))
            writeHealRow(out, spellAt(stats, i));
    }
    put(out, "</table>");
}

void writeNonOffensiveSection(const PageContext& page, const PartStats& stats) {
    if (page.flags.hasNonOffensive) {
        std::FILE* out = page.out;
        writeSectionTitle(page, "SortsNO", "Sorts non offensifs");
        put(out, tableStart);
        put(out, headerRow);
        put(out, "<td width=\"300\" > Nom du sort </td>");
        put(out, "<td width=\"80\">Lancements</td>");
        put(out, "<td width=\"80\">Résistés</td>"_l1);
        put(out, "</tr>");
        // A heal whose every heal was capped has no hit left and appears in no table.
        for (std::int32_t i = 0; i < stats.spellCount; ++i) {
            if (isNonOffensive(spellAt(stats, i)))
                writeNonOffensiveRow(out, spellAt(stats, i));
        }
        put(out, "</table>");
    }
    writeGivenEffectGrid(page, stats);
}

void writeGivenEffectGrid(const PageContext& page, const PartStats& stats) {
    std::FILE* out = page.out;
    put(out, "\n\n<p></p>");
    put(out, "<table>");
    put(out, "<tr>");
    int column = 0;
    for (GivenEffect effect : allKinds<GivenEffect>()) {
        const ValueList& ticks = stats.givenEffects[effect];
        if (ticks.empty())
            continue;
        std::string title(givenEffectTitle(effect));
        // The anchor of the effect's navigation link.
        putf(out, "<a name=\"%s\"></a>", title.c_str());
        nextGridColumn(out, column);
        put(out, "<td>");
        put(out, "<table>");
        putf(out, "<tr align=\"center\"><td><font size=\"4\"><b>%s</b></font>", title.c_str());
        putf(out, " (<a href=\"./%s.html#Sommaire\"><i>Sommaire</i></a>)</tr></td>",
             page.partLink.data());
        writeSampleTable(out, ticks);
    }
    put(out, "</tr>");
    put(out, "</table>");
}

void writeDefenceSection(const PageContext& page, const PartStats& stats) {
    if (page.flags.defenceTotal == 0)
        return;
    std::FILE* out = page.out;
    writeSectionTitle(page, "Defense", "Défense"_l1);
    put(out, "<table>");
    put(out, "<tr>");
    // The monsters' melee blows are the first column of the grid.
    int column = 0;
    if (!stats.meleeHitsTaken.empty()) {
        put(out, "<td>");
        column += 1;
        put(out, "<table>");
        put(out, "<tr align=\"center\"><td>Coups portés par un monstre</td></tr>"_l1);
        writeSampleTable(out, stats.meleeHitsTaken);
    }
    // Spells taken have a table of their own, below the grid.
    for (IncomingKind kind : allKinds<IncomingKind>()) {
        const ValueList& damage = stats.receivedDamage[kind];
        if (kind == IncomingKind::spell)
            continue;
        if (damage.empty())
            continue;
        nextGridColumn(out, column);
        put(out, "<td>");
        put(out, "<table>");
        std::string title(receivedDamageTitle(kind));
        putf(out, "<tr align=\"center\"><td>%s</tr></td>", title.c_str());
        writeSampleTable(out, damage);
    }
    put(out, "</tr>");
    put(out, "</table>");

    const ValueList& spellsTaken = stats.receivedDamage[IncomingKind::spell];
    if (!spellsTaken.empty()) {
        put(out, "<table width=\"400\">");
        std::string title(receivedDamageTitle(IncomingKind::spell));
        putf(out, "<tr align=\"center\"><td>%s</tr></td>", title.c_str());
        put(out, "<tr><td>");
        put(out, innerTableStart);
        put(out, headerRow);
        writeSampleHeader(out);
        put(out, "<td width=\"80\">Résistés</td>"_l1);
        put(out, "</tr>");
        put(out, row);
        writeStatCells(out, spellsTaken, nullptr, nullptr);
        writePercentCell(out, "<td width=\"80\">%lld%%</td>", stats.effectsResisted,
                         static_cast<double>(stats.effectsResisted) + spellsTaken.count());
        put(out, "</tr>");
        put(out, "</table>");
        put(out, "</table>");
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

#include "report/reward_sections.h"

#include <array>
#include <string>
#include <vector>

#include "base/latin1.h"
#include "base/text.h"
#include "record/reward_tables.h"
#include "report/page_output.h"
#include "report/page_tables.h"
#include "report/statistics.h"

namespace torvelin {

namespace {

// A split counter (low + high billions) in grouped digits. A low part that still holds whole
// billions (several large additions each carried only once) hands them to the high part first,
// so the digits always show the counter's value.
void writeSplitCounter(std::FILE* out, std::int64_t low, std::int64_t high) {
    if (high > 0 && low >= splitCounterBase) {
        high = saturatingAdd(high, low / splitCounterBase);
        low %= splitCounterBase;
    }
    writeGroupedNumber(out, low, high);
}

// The table of a list: one cell holding the list, then a line for its total.
void openListTable(std::FILE* out) {
    openSmallTable(out);
    openRow(out);
    openCell(out);
}

void openListTotal(std::FILE* out) {
    closeCell(out);
    closeRow(out);
    openLeftRow(out);
    openCell(out);
}

void closeListTable(std::FILE* out) {
    closeCell(out);
    closeRow(out);
    closeTable(out);
}

}  // namespace

void writeKillerSection(const PageContext& page, const PartStats& stats) {
    if (stats.killerCount() == 0)
        return;
    std::FILE* out = page.out;
    writeSectionTitle(page, "Meurtriers", "Liste de vos meurtriers");
    openListTable(out);
    std::int64_t deaths = 0;
    for (std::int32_t i = 0; i < stats.killerCount(); ++i) {
        const KillerEntry& killer = stats.killers[static_cast<std::size_t>(i)];
        if (i != 0)
            put(out, ", ");
        putEscaped(out, killer.name);
        if (killer.deaths != 1)
            putf(out, "(%i fois)", killer.deaths);
        deaths += killer.deaths;
    }
    openListTotal(out);
    putf(out, "<b>Total </b>: %lld meurtriers", printable(deaths));
    closeListTable(out);
}

void writeHuntingSection(const PageContext& page, const PartStats& stats) {
    if (stats.lastKill < 0)
        return;
    std::FILE* out = page.out;
    std::int64_t realmPoints = 0;
    std::int64_t bounties = 0;
    std::int64_t xpLow = 0;
    std::int64_t xpHigh = 0;
    auto used = static_cast<std::size_t>(stats.lastKill) + 1;
    for (std::size_t i = 0; i < used && i < stats.kills.size(); ++i) {
        realmPoints = saturatingAdd(realmPoints, stats.kills[i].realmPoints);
        bounties = saturatingAdd(bounties, stats.kills[i].bounties);
        addWithCarry(xpLow, xpHigh, stats.kills[i].xp);
    }

    writeSectionTitle(page, "Tableau de chasse", "Tableau de chasse");
    openListTable(out);
    for (std::size_t i = 0; i < used && i < stats.kills.size(); ++i) {
        const KillEntry& kill = stats.kills[i];
        if (i != 0)
            put(out, ", ");
        // The player's own kills are shown in bold; the tags are ours, the name is the log's.
        if (kill.killedByPlayer)
            put(out, "<b>");
        putEscaped(out, kill.victimName);
        if (kill.killedByPlayer)
            put(out, "</b>");
        putf(out, " (%lld rps)", printable(kill.realmPoints));
    }
    openListTotal(out);
    putf(out, "<b>Total : </b>%lld rps, %lld primes, ", printable(realmPoints),
         printable(bounties));
    writeSplitCounter(out, xpLow, xpHigh);
    put(out, " xp");
    closeListTable(out);
}

namespace {

// The four experience counters of a row: total, bonus, groupe, fort.
struct ExperienceSums {
    std::array<std::int64_t, 4> low{};
    std::array<std::int64_t, 4> high{};
};

constexpr std::array<const char*, 4> partPrefixes = {
    "", "<br>(bonus : ", "<br>(groupe : ", "<br>(fort : "};

// The experience list of a cell: every counter whose low part is not 0, as an average over
// `kills` or as a total.
void writeExperienceList(std::FILE* out, const ExperienceSums& sums, std::int64_t kills,
                         bool average) {
    for (std::size_t k = 0; k < partPrefixes.size(); ++k) {
        if (sums.low[k] == 0)
            continue;
        put(out, partPrefixes[k]);
        if (!average) {
            writeSplitCounter(out, sums.low[k], sums.high[k]);
        } else if (kills == 0) {
            writeGroupedNumber(out, 0, 0);
        } else {
            std::int64_t billions = saturatingMultiply(splitCounterBase / kills, sums.high[k]);
            writeGroupedNumber(out, saturatingAdd(sums.low[k] / kills, billions), 0);
        }
        if (k >= 1)
            put(out, ")");
    }
}

void writeExperienceCells(std::FILE* out, const ExperienceSums& sums, std::int64_t kills) {
    for (bool average : {true, false}) {
        openTallCell(out, 150);
        writeExperienceList(out, sums, kills, average);
        closeCell(out);
    }
}

void writeMoneyCell(std::FILE* out, std::int64_t copper) {
    openTallCell(out, 120);
    writeMoneyText(out, copper);
    closeCell(out);
}

void writeMonsterRow(std::FILE* out, const MonsterEntry& monster) {
    openRow(out);
    writeTallCell(out, 150, htmlEscape(monster.name));
    writeTallNumberCell(out, 60, monster.killCount);
    ExperienceSums sums{monster.xp, monster.xpBillions};
    writeExperienceCells(out, sums, monster.killCount);
    writeMoneyCell(out, monster.moneyCopper);
    openTallCell(out, 250);
    for (std::int32_t i = 0; i < monster.lootCount(); ++i) {
        const LootEntry& loot = monster.loots[static_cast<std::size_t>(i)];
        if (i != 0)
            put(out, "<br>");
        putf(out, "%i * ", loot.times);
        putEscaped(out, loot.name);
    }
    closeCell(out);
    closeRow(out);
}

void writeMonsterTotalRow(std::FILE* out, const PartStats& stats) {
    ExperienceSums sums;
    std::int64_t money = 0;
    std::int64_t kills = 0;
    for (std::int32_t i = 0; i < stats.monsterCount; ++i) {
        const MonsterEntry& monster = stats.monsters[static_cast<std::size_t>(i)];
        for (std::size_t k = 0; k < sums.low.size(); ++k) {
            addWithCarry(sums.low[k], sums.high[k], monster.xp[k]);
            sums.high[k] = saturatingAdd(sums.high[k], monster.xpBillions[k]);
        }
        money = saturatingAdd(money, monster.moneyCopper);
        kills += monster.killCount;
    }
    openHeaderRow(out);
    writeTallCell(out, 150, "<i>Total</i>");
    writeTallNumberCell(out, 60, kills);
    writeExperienceCells(out, sums, kills);
    writeMoneyCell(out, money);
    writeTallCell(out, 250, "");
    closeRow(out);
}

}  // namespace

void writeMoneyText(std::FILE* out, std::int64_t copper) {
    if (copper > 9999)
        putf(out, "%lld ors, ", printable(copper / 10000));
    if (copper > 99)
        putf(out, "%lld argents", printable((copper - (copper / 10000) * 10000) / 100));
}

void writeExperienceSection(const PageContext& page, const PartStats& stats) {
    if (stats.monsterCount == 0)
        return;
    std::FILE* out = page.out;
    writeSectionTitle(page, "XP", "Points d'expérience,argent, loots"_l1);
    openEntryTable(out);
    openHeaderRow(out);
    writeTallCell(out, 150, "Nom du monstre");
    writeTallCell(out, 60, "Nombre");
    writeTallCell(out, 150, "XP moyen");
    writeTallCell(out, 150, "XP total");
    writeTallCell(out, 120, "Argent");
    writeTallCell(out, 250, "Loots");
    closeRow(out);
    for (std::int32_t i = 0; i < stats.monsterCount; ++i) {
        const MonsterEntry& monster = stats.monsters[static_cast<std::size_t>(i)];
        // A monster never credited with an experience line is not listed.
        if (monster.killCount != 0)
            writeMonsterRow(out, monster);
    }
    if (stats.monsterCount >= 2)
        writeMonsterTotalRow(out, stats);
    closeTable(out);
}

namespace {

constexpr std::int32_t lowestQuality = 94;
constexpr std::int32_t highestQuality = 100;
constexpr std::size_t qualityColumns = highestQuality - lowestQuality + 1;

// The results of one item or of all items.
struct CraftFigures {
    std::int64_t successes = 0;
    std::int64_t failuresNoLoss = 0;
    std::int64_t failuresWithLoss = 0;
    std::array<std::int64_t, qualityColumns> perQuality{};  // 94% to 100%

    std::int64_t attempts() const { return successes + failuresNoLoss + failuresWithLoss; }
};

CraftFigures figuresOf(const CraftEntry& craft) {
    CraftFigures figures;
    figures.successes = craft.qualities.count();
    figures.failuresNoLoss = craft.failuresNoLoss;
    figures.failuresWithLoss = craft.failuresWithLoss;
    for (std::int32_t quality : craft.qualities.values) {
        if (quality >= lowestQuality && quality <= highestQuality)
            ++figures.perQuality[static_cast<std::size_t>(quality - lowestQuality)];
    }
    return figures;
}

void addFigures(CraftFigures& total, const CraftFigures& item) {
    total.successes += item.successes;
    total.failuresNoLoss += item.failuresNoLoss;
    total.failuresWithLoss += item.failuresWithLoss;
    for (std::size_t q = 0; q < qualityColumns; ++q)
        total.perQuality[q] += item.perQuality[q];
}

// Attempts, the three result percentages, the seven quality percentages and the average quality
// (values outside 94..100 count as successes but add nothing to the average).
void writeCraftFigureCells(std::FILE* out, const CraftFigures& figures) {
    double attempts = static_cast<double>(figures.attempts());
    writeTallNumberCell(out, 80, figures.attempts());
    for (std::int64_t part : {figures.successes, figures.failuresNoLoss, figures.failuresWithLoss})
        writeTallPercentCell(out, 80, roundedPercent(static_cast<double>(part), attempts));
    double successes = static_cast<double>(figures.successes);
    double qualitySum = 0.0;
    for (std::size_t q = 0; q < qualityColumns; ++q) {
        double count = static_cast<double>(figures.perQuality[q]);
        writeTallPercentCell(out, 40, roundedPercent(count, successes));
        qualitySum += static_cast<double>(lowestQuality + static_cast<std::int32_t>(q)) * count;
    }
    std::int64_t average = successes == 0.0 ? 0 : roundHalfUp(qualitySum / successes);
    writeTallPercentCell(out, 70, average);
}

void writeSkillGain(std::FILE* out, const SkillGain& skill) {
    putEscaped(out, skill.skillName);
    putf(out, " + %i<br>", skill.gains);
}

// Adds the gains of a skill to the skills of all items, merged by name.
void mergeSkill(std::vector<SkillGain>& merged, const SkillGain& skill) {
    for (SkillGain& known : merged) {
        if (known.skillName == skill.skillName) {
            known.gains += skill.gains;
            return;
        }
    }
    merged.push_back(skill);
}

void writeCraftHeader(std::FILE* out) {
    openEntryTable(out, 1070);
    openHeaderRow(out);
    writeTallCell(out, 250, " Nom de l'objet ");
    writeTallCell(out, 80, "Tentatives");
    writeTallCell(out, 80, "Réussites"_l1);
    writeTallCell(out, 80, "Ratages");
    writeTallCell(out, 80, "Pertes");
    for (std::int32_t q = lowestQuality; q <= highestQuality; ++q)
        writeTallPercentCell(out, 40, q);
    writeTallCell(out, 70, "Qua moy");
    writeTallCell(out, 150, "Gains");
    closeRow(out);
}

// A row of the crafting table (in the shade of the titles): the item, its figures and the skills
// it raised. Each skill written joins `merged` when it is given.
void writeCraftRow(std::FILE* out, std::string_view name, const CraftFigures& figures,
                   const std::vector<SkillGain>& skills, std::vector<SkillGain>* merged) {
    openHeaderRow(out);
    writeTallCell(out, 250, name);
    writeCraftFigureCells(out, figures);
    openTallCell(out, 150);
    for (const SkillGain& skill : skills) {
        writeSkillGain(out, skill);
        if (merged != nullptr)
            mergeSkill(*merged, skill);
    }
    if (skills.empty())
        put(out, "-");
    closeCell(out);
    closeRow(out);
}

}  // namespace

void writeCraftingSection(const PageContext& page, const PartStats& stats) {
    if (stats.craftCount == 0)
        return;
    std::FILE* out = page.out;
    writeSectionTitle(page, "Artisanat", "Artisanat");
    writeCraftHeader(out);

    CraftFigures total;
    std::vector<SkillGain> mergedSkills;
    for (std::int32_t i = 0; i < stats.craftCount; ++i) {
        const CraftEntry& craft = stats.crafts[static_cast<std::size_t>(i)];
        CraftFigures figures = figuresOf(craft);
        addFigures(total, figures);
        writeCraftRow(out, htmlEscape(craft.name), figures, craft.skills, &mergedSkills);
    }
    if (stats.craftCount >= 2)
        writeCraftRow(out, "<i>Total</i>", total, mergedSkills, nullptr);
    closeTable(out);
}

}  // namespace torvelin

#include "report/magic_sections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/latin1.h"
#include "report/analysis_page.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::capturePage;
using testing::lastBytes;

const std::string headerRow = "<tr align=\"center\" bgcolor=\"#DEE3E7\">";
const std::string row = "<tr align=\"center\" bgcolor=\"#EFEFEF\">";

SpellEntry& addSpell(PartStats& stats, std::string name, SpellKind kind, std::int32_t casts) {
    SpellEntry& spell = slotAt(stats.spells, stats.spellCount++);
    spell.name = std::move(name);
    spell.spellKind = kind;
    spell.castCount = casts;
    return spell;
}

void fill(ValueList& list, std::vector<std::int32_t> values) {
    list.values = std::move(values);
}

// The page text of `write` for a record, with the flags the page frame computes.
template <class Writer>
std::string section(Writer write, const PartStats& stats) {
    return capturePage([&](std::FILE* out) {
        PageContext page{out, "Resultats", spellAndDefenceFlags(stats)};
        write(page, stats);
    });
}

std::string sampleHeader() {
    return "<td width=\"80\">Coups</td><td width=\"80\">Moyenne</td>"
           "<td width=\"80\">Variance</td><td width=\"80\">Min-Max</td>";
}

TEST(SpellSections, EmptyRecordWritesOnlyTheEffectGridFrame) {
    auto stats = newPartStats();
    EXPECT_EQ(section(writeSpellSection, *stats), "");
    EXPECT_EQ(section(writeHealSection, *stats), "");
    EXPECT_EQ(section(writeNonOffensiveSection, *stats), "\n\n<p></p><table><tr></tr></table>");
    EXPECT_EQ(section(writeDefenceSection, *stats), "");
}

TEST(SpellSections, SpellTableWithResistsAndAreaSpells) {
    auto stats = newPartStats();
    SpellEntry& bolt = addSpell(*stats, "Trait <feu>", SpellKind::singleTarget, 3);
    fill(bolt.hitDamage, {100, 200});
    fill(bolt.hitModifier, {0, 10});
    fill(bolt.critDamage, {40});
    bolt.resistCount = 1;
    addSpell(*stats, "Soin", SpellKind::heal, 1).hitDamage.values = {80};
    addSpell(*stats, "Bouclier", SpellKind::unclassified, 2);
    SpellEntry& storm = addSpell(*stats, "Orage", SpellKind::area, 5);
    fill(storm.hitDamage, std::vector<std::int32_t>(5, 50));
    fill(storm.hitModifier, std::vector<std::int32_t>(5, 0));
    storm.missCount = 1;
    SpellEntry& rain = addSpell(*stats, "Pluie", SpellKind::area, 25);
    fill(rain.hitDamage, std::vector<std::int32_t>(49, 10));
    fill(rain.hitModifier, std::vector<std::int32_t>(49, 0));

    std::string expected = "\n\n<a name=\"Sorts\"></a>";
    expected += "<p><font size=\"4\"><b>Sorts réussis</b></font>"_l1;
    expected += " (<a href=\"./Resultats.html#Sommaire\"><i>Sommaire</i></a>)</p>";
    expected += "<table  border=\"0\" bgcolor=\"#000000\">" + headerRow;
    expected +=
        "<td width=\"300\" > Nom du sort </td><td width=\"80\">Coups</td>"
        "<td width=\"80\">Moyenne</td><td width=\"80\">Variance</td><td width=\"80\">Min-Max</td>"
        "<td width=\"80\">Critiques</td><td width=\"80\">Résistés</td>"
        "<td width=\"150\">Touches / Sort de zone</td></tr>"_l1.view();
    expected += row +
                "<td width=\"300\" >Trait &lt;feu&gt;</td><td width=\"80\">2</td>"
                "<td width=\"80\">150(+5)</td><td width=\"80\">33%</td>"
                "<td width=\"80\">100-200</td><td width=\"80\">50%</td>"
                "<td width=\"80\">33%</td><td width=\"150\">-</td></tr>";
    // 5 hits and 1 miss over 5 casts: 1,2 targets per cast.
    expected += row +
                "<td width=\"300\" >Orage</td><td width=\"80\">5</td><td width=\"80\">50(0)</td>"
                "<td width=\"80\">0%</td><td width=\"80\">50-50</td><td width=\"80\">0%</td>"
                "<td width=\"80\">0%</td><td width=\"150\">1,2 personnes</td></tr>";
    // 49 hits over 25 casts is 1.96: the tenth carries.
    expected += row +
                "<td width=\"300\" >Pluie</td><td width=\"80\">49</td><td width=\"80\">10(0)</td>"
                "<td width=\"80\">0%</td><td width=\"80\">10-10</td><td width=\"80\">0%</td>"
                "<td width=\"80\">0%</td><td width=\"150\">2,0 personnes</td></tr>";
    expected += "</table>";
    EXPECT_EQ(section(writeSpellSection, *stats), expected);
}

TEST(SpellSections, HealTableWithCappedAndGroupHeals) {
    auto stats = newPartStats();
    SpellEntry& heal = addSpell(*stats, "Soin", SpellKind::heal, 2);
    fill(heal.hitDamage, {100, 200});
    fill(heal.cappedHeals, {50, 0});
    addSpell(*stats, "Soin de groupe", SpellKind::heal, 10).hitDamage.values.assign(12, 80);
    addSpell(*stats, "Soin rapide", SpellKind::heal, 10).hitDamage.values.assign(10, 60);
    addSpell(*stats, "Soin vide", SpellKind::heal, 0).hitDamage.values = {0};
    addSpell(*stats, "Trait", SpellKind::singleTarget, 1).hitDamage.values = {10};

    std::string expected =
        "\n\n<a name=\"Soins\"></a><p><font size=\"4\"><b>Soins</b></font>"
        " (<a href=\"./Resultats.html#Sommaire\"><i>Sommaire</i></a>)</p>"
        "<table  border=\"0\" bgcolor=\"#000000\">" +
        headerRow;
    expected +=
        "<td width=\"300\" >Nom du soin </td><td width=\"80\">Lancements</td>"
        "<td width=\"80\">Moyenne<br>(non capés)</td><td width=\"80\">Variance</td>"
        "<td width=\"80\">Min-Max</td><td width=\"120\">Moyenne réelle</td>"
        "<td width=\"80\">Efficacité</td><td width=\"150\">Soins de groupe</td></tr>"_l1.view();
    // Real mean (300 + 50) / 4 = 87.5; efficiency 350 / (4 x 150); 4 heals over 2 casts.
    expected += row +
                "<td width=\"300\" >Soin</td><td width=\"80\">2</td><td width=\"80\">150</td>"
                "<td width=\"80\">33%</td><td width=\"80\">100-200</td>"
                "<td width=\"120\">88</td><td width=\"80\">58%</td>"
                "<td width=\"150\">2,0 personnes</td></tr>";
    expected += row +
                "<td width=\"300\" >Soin de groupe</td><td width=\"80\">12</td>"
                "<td width=\"80\">80</td><td width=\"80\">0%</td><td width=\"80\">80-80</td>"
                "<td width=\"120\">80</td><td width=\"80\">100%</td>"
                "<td width=\"150\">1,2 personnes</td></tr>";
    expected += row +
                "<td width=\"300\" >Soin rapide</td><td width=\"80\">10</td>"
                "<td width=\"80\">60</td><td width=\"80\">0%</td><td width=\"80\">60-60</td>"
                "<td width=\"120\">60</td><td width=\"80\">100%</td>"
                "<td width=\"150\">-</td></tr>";
    // A mean of 0 and no cast: the divisions by 0 show 0.
    expected += row +
                "<td width=\"300\" >Soin vide</td><td width=\"80\">1</td><td width=\"80\">0</td>"
                "<td width=\"80\">0%</td><td width=\"80\">0-0</td>"
                "<td width=\"120\">0</td><td width=\"80\">0%</td>"
                "<td width=\"150\">-</td></tr>";
    expected += "</table>";
    EXPECT_EQ(section(writeHealSection, *stats), expected);
}

TEST(SpellSections, NonOffensiveTableSkipsFullyCappedHeals) {
    auto stats = newPartStats();
    addSpell(*stats, "Bouclier", SpellKind::unclassified, 4).resistCount = 1;
    addSpell(*stats, "Soin", SpellKind::heal, 3).cappedHeals.values = {0, 0, 0};
    addSpell(*stats, "Trait", SpellKind::singleTarget, 1).hitDamage.values = {10};

    std::string expected =
        "\n\n<a name=\"SortsNO\"></a><p><font size=\"4\"><b>Sorts non offensifs</b></font>"
        " (<a href=\"./Resultats.html#Sommaire\"><i>Sommaire</i></a>)</p>"
        "<table  border=\"0\" bgcolor=\"#000000\">" +
        headerRow;
    expected +=
        "<td width=\"300\" > Nom du sort </td><td width=\"80\">Lancements</td>"
        "<td width=\"80\">Résistés</td></tr>"_l1.view();
    expected += row + "<td width=\"300\" >Bouclier</td><td width=\"80\">4</td>" +
                "<td width=\"80\">25%</td></tr>";
    expected += "</table>\n\n<p></p><table><tr></tr></table>";
    EXPECT_EQ(section(writeNonOffensiveSection, *stats), expected);

    // The fully capped heal alone still sets the flag, with an empty table.
    auto capped = newPartStats();
    addSpell(*capped, "Soin", SpellKind::heal, 3).cappedHeals.values = {0};
    EXPECT_TRUE(spellAndDefenceFlags(*capped).hasNonOffensive);
    EXPECT_FALSE(spellAndDefenceFlags(*capped).hasHeals);
    std::string page = section(writeNonOffensiveSection, *capped);
    EXPECT_NE(page.find("<td width=\"80\">Résistés</td></tr></table>"_l1.view()),
              std::string::npos);
}

// The name cell of a spell with `casts` timed casts whose times add up to `total`.
std::string nameCell(std::int32_t casts, std::int32_t total) {
    auto stats = newPartStats();
    SpellEntry& spell = addSpell(*stats, "Bouclier", SpellKind::unclassified, 1);
    // Times of 2 and 3 seconds only.
    spell.castTimes.values.assign(static_cast<std::size_t>(casts), 2);
    for (std::int32_t i = 0; i < total - 2 * casts; ++i)
        spell.castTimes.values[static_cast<std::size_t>(i)] = 3;
    std::string page = section(writeNonOffensiveSection, *stats);
    std::size_t begin = page.find("<td width=\"300\" >Bouclier");
    return page.substr(begin, page.find("</td>", begin) + 5 - begin);
}

TEST(SpellSections, IncantationSpeedInTheNameCell) {
    EXPECT_EQ(nameCell(40, 100), "<td width=\"300\" >Bouclier</td>");
    EXPECT_EQ(nameCell(50, 123), "<td width=\"300\" >Bouclier (vitesse : 2,4s)</td>");
    EXPECT_EQ(nameCell(150, 369), "<td width=\"300\" >Bouclier (vitesse : 2,46s)</td>");
    // 2.996: the rounded second digit carries twice.
    EXPECT_EQ(nameCell(250, 749), "<td width=\"300\" >Bouclier (vitesse : 3,00s)</td>");
}

std::string effectTable(const std::string& title, const std::string& cells) {
    return "<a name=\"" + title +
           "\"></a><td><table><tr align=\"center\"><td><font size=\"4\"><b>" + title +
           "</b></font> (<a href=\"./Resultats.html#Sommaire\"><i>Sommaire</i></a>)</tr></td>"
           "<tr><td><table border=\"0\" bgcolor=\"#000000\">" +
           headerRow + sampleHeader() + "</tr>" + row + cells + "</tr></table></table></td>";
}

TEST(SpellSections, GivenEffectGridHoldsThreeTablesPerRow) {
    auto stats = newPartStats();
    fill(stats->givenEffects[GivenEffect::poison], {10, 30});
    fill(stats->givenEffects[GivenEffect::addedDamage], {5});
    fill(stats->givenEffects[GivenEffect::damageShield], {7});
    fill(stats->givenEffects[GivenEffect::acidPoison], {20});
    std::string expected = "\n\n<p></p><table><tr>";
    expected += effectTable("Poisons donnés"_l1.c_str(),
                            "<td width=\"80\">2</td><td width=\"80\">20</td>"
                            "<td width=\"80\">50%</td><td width=\"80\">10-30</td>");
    expected += effectTable("Add dmg donnés"_l1.c_str(),
                            "<td width=\"80\">1</td><td width=\"80\">5</td>"
                            "<td width=\"80\">0%</td><td width=\"80\">5-5</td>");
    expected += effectTable("Bouclier dmg donnés"_l1.c_str(),
                            "<td width=\"80\">1</td><td width=\"80\">7</td>"
                            "<td width=\"80\">0%</td><td width=\"80\">7-7</td>");
    // The anchor of the fourth table comes before the new row.
    std::string fourth;
    fourth = effectTable("Poisons acides donnés"_l1.c_str(),
                         "<td width=\"80\">1</td><td width=\"80\">20</td>"
                         "<td width=\"80\">0%</td><td width=\"80\">20-20</td>");
    std::size_t anchorEnd = fourth.find("</a>") + 4;
    expected += fourth.substr(0, anchorEnd) + "</tr><tr>" + fourth.substr(anchorEnd);
    expected += "</tr></table>";
    EXPECT_EQ(section(writeGivenEffectGrid, *stats), expected);
}

std::string damageTable(const std::string& caption, const std::string& cells) {
    return "<td><table><tr align=\"center\"><td>" + caption +
           "<tr><td><table border=\"0\" bgcolor=\"#000000\">" + headerRow + sampleHeader() +
           "</tr>" + row + cells + "</tr></table></table></td>";
}

std::string oneSample(int v) {
    std::string n = std::to_string(v);
    return "<td width=\"80\">1</td><td width=\"80\">" + n + "</td><td width=\"80\">0%</td>" +
           "<td width=\"80\">" + n + "-" + n + "</td>";
}

std::string defenceTitle() {
    std::string title = "\n\n<a name=\"Defense\"></a>";
    title += "<p><font size=\"4\"><b>Défense</b></font>"_l1;
    return title + " (<a href=\"./Resultats.html#Sommaire\"><i>Sommaire</i></a>)</p>";
}

TEST(DefenceSection, MeleeTableIsTheFirstColumnOfTheGrid) {
    auto stats = newPartStats();
    fill(stats->meleeHitsTaken, {40, 60});
    fill(stats->receivedDamage[IncomingKind::poison], {3});
    fill(stats->receivedDamage[IncomingKind::melee], {8});
    fill(stats->receivedDamage[IncomingKind::arrow], {9});
    fill(stats->receivedDamage[IncomingKind::spell], {30, 50});
    stats->effectsResisted = 2;

    std::string expected = defenceTitle() + "<table><tr>";
    expected += damageTable("Coups portés par un monstre</td></tr>"_l1.c_str(),
                            "<td width=\"80\">2</td><td width=\"80\">50</td>"
                            "<td width=\"80\">20%</td><td width=\"80\">40-60</td>");
    expected += damageTable("Coups de poisons recus</tr></td>", oneSample(3));
    expected +=
        damageTable("Coups recus au corps à corps en rvr</tr></td>"_l1.c_str(), oneSample(8));
    expected += "</tr><tr>" + damageTable("Flèches recues</tr></td>"_l1.c_str(), oneSample(9));
    expected += "</tr></table>";
    expected +=
        "<table width=\"400\"><tr align=\"center\"><td>Sorts recus</tr></td><tr><td>"
        "<table border=\"0\" bgcolor=\"#000000\">" +
        headerRow + sampleHeader() + "<td width=\"80\">Résistés</td>"_l1.c_str() + "</tr>" + row +
        "<td width=\"80\">2</td><td width=\"80\">40</td><td width=\"80\">25%</td>"
        "<td width=\"80\">30-50</td><td width=\"80\">50%</td></tr></table></table>";
    EXPECT_EQ(section(writeDefenceSection, *stats), expected);
}

TEST(DefenceSection, NoMeleeBlowsStartsTheGridWithTheKinds) {
    auto stats = newPartStats();
    fill(stats->receivedDamage[IncomingKind::melee], {8});
    fill(stats->receivedDamage[IncomingKind::disease], {4});
    fill(stats->receivedDamage[IncomingKind::addedDamage], {5});
    fill(stats->receivedDamage[IncomingKind::bleeding], {6});
    std::string expected = defenceTitle() + "<table><tr>";
    expected +=
        damageTable("Coups recus au corps à corps en rvr</tr></td>"_l1.c_str(), oneSample(8));
    expected += damageTable("Maladies recues</tr></td>", oneSample(4));
    expected += damageTable("Add dommages recus</tr></td>", oneSample(5));
    expected += "</tr><tr>" + damageTable("Saignements subis</tr></td>", oneSample(6));
    expected += "</tr></table>";
    EXPECT_EQ(section(writeDefenceSection, *stats), expected);

    // Damage of kinds that are no attack (poison, spells) alone writes no section.
    auto poisoned = newPartStats();
    fill(poisoned->receivedDamage[IncomingKind::poison], {3});
    fill(poisoned->receivedDamage[IncomingKind::spell], {3});
    EXPECT_EQ(section(writeDefenceSection, *poisoned), "");
}

std::string avoidanceTable(const std::string& header, const std::string& cells) {
    std::string table = "<br><table border=\"0\" bgcolor=\"#000000\">" + headerRow + header;
    table += row + "<td width=\"150\">moyenne totale</td>" + cells + "</tr>";
    table += row + "<td width=\"150\">moyenne partielle</td>" + cells + "</tr></table>";
    return table;
}

TEST(DefenceSection, AvoidanceTableWithoutGuards) {
    auto stats = newPartStats();
    fill(stats->meleeHitsTaken, std::vector<std::int32_t>(10, 20));
    // D = 10 avoided + 10 blows taken.
    stats->avoidances.items = {3, 2, 1, 1, 3, 0};
    stats->barrierPierced = 1;
    std::string page = section(writeDefenceSection, *stats);
    std::string expected;
    expected = avoidanceTable(
        "<td width=\"150\"></td><td width=\"150\">Total des coups evités</td>"
        "<td width=\"150\">Ratés par l'ennemi</td><td width=\"80\">Bloqués</td>"
        "<td width=\"80\">Parés</td><td width=\"80\">Esquivés</td>"
        "<td width=\"150\">Evités par une bulle</td></tr>"_l1.c_str(),
        "<td width=\"150\">50%</td><td width=\"150\">15%</td><td width=\"80\">10%</td>"
        "<td width=\"80\">5%</td><td width=\"80\">5%</td>"
        "<td width=\"150\">15% (efficacité : 75%)</td>"_l1.c_str());
    EXPECT_EQ(lastBytes(page, expected.size()), expected);
}

TEST(DefenceSection, AvoidanceTableWithGuards) {
    auto stats = newPartStats();
    fill(stats->receivedDamage[IncomingKind::arrow], {10, 10, 10});
    stats->avoidances.items = {1, 0, 0, 0, 0, 1};
    std::string page = section(writeDefenceSection, *stats);
    // D = 2 + 3; no barrier at all: its efficiency shows 0.
    std::string expected;
    expected = avoidanceTable(
        "<td width=\"150\"></td><td width=\"150\">Total des coups evités</td>"
        "<td width=\"150\">Ratés par l'ennemi</td><td width=\"80\">Bloqués</td>"
        "<td width=\"80\">Parés</td><td width=\"80\">Esquivés</td><td width=\"80\">Gardés</td>"
        "<td width=\"150\">Evités par une bulle</td></tr>"_l1.c_str(),
        "<td width=\"150\">40%</td><td width=\"150\">20%</td><td width=\"80\">0%</td>"
        "<td width=\"80\">0%</td><td width=\"80\">0%</td><td width=\"80\">20%</td>"
        "<td width=\"150\">0% (efficacité : 0%)</td>"_l1.c_str());
    EXPECT_EQ(lastBytes(page, expected.size()), expected);
}

TEST(DefenceSection, NoAvoidedAttackWritesNoAvoidanceTable) {
    auto stats = newPartStats();
    fill(stats->meleeHitsTaken, {20});
    // An absorbed blow without a miss before it: the sum of the counters is 0.
    stats->avoidances.items = {-1, 0, 0, 0, 1, 0};
    EXPECT_EQ(section(writeDefenceSection, *stats).find("<br>"), std::string::npos);
}

TEST(Navigation, OneHealSpellGivesExactlyTheHealsLink) {
    auto stats = newPartStats();
    addSpell(*stats, "Soin", SpellKind::heal, 1).hitDamage.values = {80};
    std::string links = capturePage([&](std::FILE* out) {
        PageContext page{out, "Resultats", spellAndDefenceFlags(*stats)};
        writeNavigation(page, *stats);
    });
    EXPECT_EQ(links, " <a href=\"./Resultats.html#Soins\">Soins</a> -");

    // Without any heal sample the spell is a non-offensive one.
    stats->spells[0].hitDamage.values.clear();
    links = capturePage([&](std::FILE* out) {
        PageContext page{out, "Resultats", spellAndDefenceFlags(*stats)};
        writeNavigation(page, *stats);
    });
    EXPECT_EQ(links, " <a href=\"./Resultats.html#SortsNO\">Sorts non offensifs</a> -");
}

}  // namespace
}  // namespace torvelin

#include "report/attack_sections.h"
#include "report/statistics.h"

#include <gtest/gtest.h>

#include "base/latin1.h"
#include "test_support.h"

namespace torvelin {
namespace {

using testing::capturePage;
using Values = std::vector<std::int32_t>;

WeaponStyleEntry& addEntry(PartStats& stats, std::string weapon, std::string style) {
    WeaponStyleEntry& entry = slotAt(stats.weaponStyles, stats.weaponStyleCount++);
    entry.weaponName = std::move(weapon);
    entry.styleName = std::move(style);
    return entry;
}

void setHits(WeaponStyleEntry& entry, Values hits, Values modifiers) {
    entry.hitDamage.values = std::move(hits);
    entry.hitModifier.values = std::move(modifiers);
}

std::string pageOf(const PartStats& stats, const AttackReport& report) {
    return capturePage([&](std::FILE* out) {
        PageContext page{out, "Resultats", SectionFlags{}};
        writeAttackSections(page, stats, report);
    });
}

std::string speedText(Values intervals) {
    ValueList list;
    list.values = std::move(intervals);
    return capturePage([&](std::FILE* out) { writeSpeedText(out, list); });
}

Values repeated(std::initializer_list<std::pair<int, std::int32_t>> runs) {
    Values values;
    for (auto [times, value] : runs)
        values.insert(values.end(), static_cast<std::size_t>(times), value);
    return values;
}

TEST(PreciseShots, OutstandingRangedHitsMoveWithTheirModifiers) {
    auto stats = newPartStats();
    WeaponStyleEntry& bow = addEntry(*stats, "arc", "Range");
    setHits(bow, {10, 10, 100, 10, 10}, {1, 2, 9, 3, 4});
    WeaponStyleEntry& even = addEntry(*stats, "fronde", "Range");
    setHits(even, {30, 30, 30}, {0, 0, 0});
    WeaponStyleEntry& melee = addEntry(*stats, "hache", "Sans style");
    setHits(melee, {10, 100}, {0, 0});
    WeaponStyleEntry& marked = addEntry(*stats, "javelot", "Range");
    setHits(marked, {20, markerSample, 22}, {1, markerSample, 2});
    separatePreciseShots(*stats);
    EXPECT_EQ(stats->weaponStyles[0].preciseShotDamage.values, Values{100});
    EXPECT_EQ(stats->weaponStyles[0].preciseShotModifier.values, Values{9});
    EXPECT_EQ(stats->weaponStyles[0].hitDamage.values, (Values{10, 10, 10, 10}));
    EXPECT_EQ(stats->weaponStyles[0].hitModifier.values, (Values{1, 2, 4, 3}));
    EXPECT_EQ(stats->weaponStyles[1].hitDamage.count(), 3);
    EXPECT_EQ(stats->weaponStyles[1].preciseShotDamage.count(), 0);
    EXPECT_EQ(stats->weaponStyles[2].hitDamage.count(), 2);
    EXPECT_EQ(stats->weaponStyles[3].preciseShotModifier.values, Values{markerSample});
    EXPECT_EQ(stats->weaponStyles[3].hitDamage.values, (Values{20, 22}));
}

TEST(PreciseShots, EveryMoveStartsOverFromTheWidestThreshold) {
    auto stats = newPartStats();
    WeaponStyleEntry& bow = addEntry(*stats, "arc", "Range");
    // Mean 13: only 20 exceeds 1.5 x 13, in the last pass. The remaining mean is 11.6, and the
    // search starts over: 18 now exceeds 1.5 x 11.6 although the walk had passed it.
    setHits(bow, {18, 10, 10, 10, 10, 20}, Values(6, 0));
    separatePreciseShots(*stats);
    EXPECT_EQ(bow.preciseShotDamage.values, (Values{20, 18}));
    EXPECT_EQ(bow.hitDamage.count(), 4);
}

TEST(AttackReport, AttemptsGroupsAndSkippedEntries) {
    auto stats = newPartStats();
    WeaponStyleEntry& unknown = addEntry(*stats, "Inconnue", "Sans style");
    unknown.missCount = 2;
    addEntry(*stats, "épée"_l1.data(), "Sans style").parriedCount = 1;
    addEntry(*stats, "épée longue"_l1.data(), "Sans style");
    addEntry(*stats, "épée"_l1.data(), "Taillade");
    WeaponStyleEntry& multiple = addEntry(*stats, "épée"_l1.data(), "Multiple");
    setHits(multiple, {5, 6}, {0, 0});
    addEntry(*stats, "arc", "Range").missCount = 4;
    AttackReport report = prepareAttackReport(*stats);
    EXPECT_EQ(report.attemptCounts, (Values{2, 1, 0, 0, 2, 4}));
    EXPECT_EQ(report.meleeAttempts, 5);
    EXPECT_EQ(report.multipleAttempts, 2);
    ASSERT_EQ(report.weaponGroups.size(), 2u);
    EXPECT_EQ(report.weaponGroups[0].entries, (Values{1, 3}));
    EXPECT_EQ(report.weaponGroups[1].entries, (Values{2, 3}));  // "épée" begins "épée longue"
    EXPECT_EQ(report.multipleEntries, Values{4});
    EXPECT_EQ(report.rangedEntries, Values{5});

    // The longer name first: the shorter one gets no table of its own.
    auto other = newPartStats();
    addEntry(*other, "épée longue"_l1.data(), "Sans style");
    addEntry(*other, "épée"_l1.data(), "Sans style");
    addEntry(*other, "épée longue"_l1.data(), "Taillade");
    AttackReport joined = prepareAttackReport(*other);
    ASSERT_EQ(joined.weaponGroups.size(), 1u);
    EXPECT_EQ(joined.weaponGroups[0].entries, (Values{0, 1, 2}));
}

TEST(SpeedText, DigitsByNumberOfIntervals) {
    EXPECT_EQ(speedText(repeated({{40, 3}})), "");
    EXPECT_EQ(speedText(repeated({{73, 3}, {27, 4}})), " (vitesse : 3,2s)");     // 100: 3.27
    EXPECT_EQ(speedText(repeated({{146, 3}, {54, 4}})), " (vitesse : 3,27s)");   // 200: 3.27
    EXPECT_EQ(speedText(repeated({{704, 3}, {296, 4}})), " (vitesse : 3,30s)");  // 3.296
    EXPECT_EQ(speedText(repeated({{4, 3}, {996, 4}})), " (vitesse : 4,00s)");    // 3.996
    EXPECT_EQ(speedText(repeated({{700, 3}, {300, 4}})), " (vitesse : 3,20s)");  // exactly 3.3
}

const char* const weaponHead =
    "<table  border=\"0\" bgcolor=\"#000000\"><tr align=\"center\" bgcolor=\"#DEE3E7\">"
    "<td width=\"200\" height=\"25\" > Nom du style </td><td width=\"70\">Coups r\xE9ussis</td>"
    "<td width=\"70\">Moyenne</td><td width=\"70\">Variance</td><td width=\"70\">Min-Max</td>"
    "<td width=\"70\">critiques</td><td width=\"70\">Procs DD</td>"
    "<td width=\"270\">Total des coups manqu\xE9s</td><td width=\"70\">Styles reussis</td></tr>";

TEST(AttackSections, WeaponTablesWithRowsAndTotals) {
    auto stats = newPartStats();
    WeaponStyleEntry& plain = addEntry(*stats, "hache", "Sans style");
    setHits(plain, {100, 120}, {0, 5});
    plain.critDamage.values = {30};
    plain.procDamage.values = {15};
    plain.missCount = 1;
    plain.blockedCount = 1;
    WeaponStyleEntry& keep = addEntry(*stats, "hache", "Taillade");  // markers only: no row
    setHits(keep, {markerSample}, {markerSample});
    keep.styleBonus.values = {markerSample};
    keep.styleFailCount = 1;
    keep.parriedCount = 1;
    WeaponStyleEntry& dagger = addEntry(*stats, "<dague>", "Sans style");
    setHits(dagger, {50}, {-3});
    dagger.evadedCount = 1;
    dagger.fumbleCount = 1;
    WeaponStyleEntry& low = addEntry(*stats, "<dague>", "Coup & Bas");
    setHits(low, {60}, {0});
    low.styleBonus.values = {20, 25};
    low.missCount = 1;
    low.styleFailCount = 1;
    std::string expected =
        std::string(
            "\n\n<a name=\"Attaques\"></a><p><font size=\"4\"><b>Avec l'arme : hache</b>"
            "</font> (<a href=\"./Resultats.html#Sommaire\"><i>Sommaire</i></a>)</p>") +
        weaponHead +
        "<tr align=\"center\" bgcolor=\"#EFEFEF\"><td width=\"200\" height=\"25\" >Sans style(+0)"
        "</td><td width=\"70\">2</td><td width=\"70\">110(+3)</td><td width=\"70\">9%</td>"
        "<td width=\"70\">100-120</td><td width=\"70\">50%</td><td width=\"70\">50%</td>"
        "<td width=\"270\"><b>50%</b> (25% rat\xE9s, 25% bloqu\xE9s, 0% par\xE9s,<br>0% "
        "esquiv\xE9s, 0% bull\xE9s, 0% fumble)</td><td width=\"70\">100%</td></tr>"
        "<tr align=\"center\" bgcolor=\"#DEE3E7\"><td width=\"200\" height=\"25\" ><i>Total</i>"
        "(+0)</td><td width=\"70\">3</td><td width=\"70\">110(+3)</td><td width=\"70\">9%</td>"
        "<td width=\"70\">100-120</td><td width=\"70\">33%</td><td width=\"70\">33%</td>"
        "<td width=\"270\"><b>50.0%,</b> (16.6% rat\xE9s, 16.6% bloqu\xE9s, 16.6% par\xE9s, "
        "0.0% esquiv\xE9s, 0.0% bull\xE9s, 0.0% fumble)</td><td width=\"70\">85%</td></tr>"
        "</table>"
        "<p><font size=\"4\"><b>Avec l'arme : &lt;dague&gt;</b></font> (<a "
        "href=\"./Resultats.html#Sommaire\"><i>Sommaire</i></a>)</p>" +
        weaponHead +
        "<tr align=\"center\" bgcolor=\"#EFEFEF\"><td width=\"200\" height=\"25\" >Sans style(+0)"
        "</td><td width=\"70\">1</td><td width=\"70\">50(-3)</td><td width=\"70\">0%</td>"
        "<td width=\"70\">50-50</td><td width=\"70\">0%</td><td width=\"70\">0%</td>"
        "<td width=\"270\"><b>67%</b> (0% rat\xE9s, 0% bloqu\xE9s, 0% par\xE9s,<br>33% "
        "esquiv\xE9s, 0% bull\xE9s, 33% fumble)</td><td width=\"70\">100%</td></tr>"
        "<tr align=\"center\" bgcolor=\"#EFEFEF\"><td width=\"200\" height=\"25\" >Coup &amp; Bas"
        "(+23)</td><td width=\"70\">1</td><td width=\"70\">60(0)</td><td width=\"70\">0%</td>"
        "<td width=\"70\">60-60</td><td width=\"70\">0%</td><td width=\"70\">0%</td>"
        "<td width=\"270\"><b>50%</b> (50% rat\xE9s, 0% bloqu\xE9s, 0% par\xE9s,<br>0% "
        "esquiv\xE9s, 0% bull\xE9s, 0% fumble)</td><td width=\"70\">66%</td></tr>"
        "<tr align=\"center\" bgcolor=\"#DEE3E7\"><td width=\"200\" height=\"25\" ><i>Total</i>"
        "(+23)</td><td width=\"70\">2</td><td width=\"70\">55(-1)</td><td width=\"70\">9%</td>"
        "<td width=\"70\">50-60</td><td width=\"70\">0%</td><td width=\"70\">0%</td>"
        "<td width=\"270\"><b>60.0%,</b> (20.0% rat\xE9s, 0.0% bloqu\xE9s, 0.0% par\xE9s, "
        "20.0% esquiv\xE9s, 0.0% bull\xE9s, 20.0% fumble)</td><td width=\"70\">83%</td></tr>"
        "</table>";
    EXPECT_EQ(pageOf(*stats, prepareAttackReport(*stats)), expected);
}

TEST(AttackSections, MultipleAttacksAndArchery) {
    auto stats = newPartStats();
    setHits(addEntry(*stats, "hache", "Sans style"), Values(8, 50), Values(8, 0));
    WeaponStyleEntry& multiple = addEntry(*stats, "hache", "Multiple");
    setHits(multiple, {40, 50}, {0, 0});
    multiple.missCount = 1;
    stats->tripleCount = 1;
    WeaponStyleEntry& bow = addEntry(*stats, "arc long", "Range");
    setHits(bow, {10, 10, 100, 10}, {1, 1, 9, 1});
    bow.critDamage.values = {5};
    bow.missCount = 1;
    bow.evadedCount = 1;
    bow.fumbleCount = 1;
    addEntry(*stats, "fronde", "Range").missCount = 2;
    separatePreciseShots(*stats);
    std::string page = pageOf(*stats, prepareAttackReport(*stats));
    std::string expected =
        "\n\n<p><font size=\"4\"><b>Coups Multiples</b> (doubles : 25%)</font><font size=\"4\"> "
        "(triples : 12.5%)</font> (<a href=\"./Resultats.html#Sommaire\"><i>Sommaire</i></a>)"
        "</p><table  border=\"0\" bgcolor=\"#000000\"><tr align=\"center\" bgcolor=\"#DEE3E7\">"
        "<td width=\"250\"> Nom de l'arme </td><td width=\"80\">Coups r\xE9ussis</td>"
        "<td width=\"80\">Moyenne</td><td width=\"80\">Variance</td><td width=\"80\">Min-Max"
        "</td><td width=\"80\">critiques</td><td width=\"80\">Procs DD</td><td width=\"250\">"
        "Total des coups manqu\xE9s</td></tr><tr align=\"center\" bgcolor=\"#EFEFEF\">"
        "<td width=\"270\">hache</td><td width=\"80\">2</td><td width=\"80\">45(0)</td>"
        "<td width=\"80\">11%</td><td width=\"80\">40-50</td><td width=\"80\">0%</td>"
        "<td width=\"80\">0%</td><td width=\"270\"><b>33.3%,</b> (33.3% rat\xE9s, 0.0% "
        "bloqu\xE9s, 0.0% par\xE9s, 0.0% esquiv\xE9s, 0.0% bull\xE9s, 0.0% fumble)</td></tr>"
        "</table>"
        "\n\n<a name=\"Range\"></a><p><font size=\"4\"><b>Archerie et Armes de jet</b></font> "
        "(<a href=\"./Resultats.html#Sommaire\"><i>Sommaire</i></a>)</p><table  border=\"0\" "
        "bgcolor=\"#000000\"><tr align=\"center\" bgcolor=\"#DEE3E7\"><td width=\"300\" > Nom "
        "de l'arme </td><td width=\"80\">Coups r\xE9ussis</td><td width=\"80\">Moyenne</td>"
        "<td width=\"80\">Variance</td><td width=\"80\">Min-Max</td><td width=\"80\">Critiques"
        "</td><td width=\"250\">Total des coups manqu\xE9s</td></tr>"
        "<tr align=\"center\" bgcolor=\"#EFEFEF\"><td width=\"300\" >arc long</td>"
        "<td width=\"80\">3</td><td width=\"80\">10(+1)</td><td width=\"80\">0%</td>"
        "<td width=\"80\">10-10</td><td width=\"80\">33%</td><td width=\"250\"><b>42.8%,</b> "
        "(14.2% rat\xE9s, 0.0% bloqu\xE9s, 14.2% esquiv\xE9s, 0.0% bull\xE9s, 14.2% fumble)"
        "</td></tr><tr align=\"center\" bgcolor=\"#EFEFEF\"><td align=\"right\" width=\"300\" > "
        "<i>Tir Pr\xE9"
        "cis </i></td><td width=\"80\">1</td><td width=\"80\">100(+9)</td>"
        "<td width=\"80\">0%</td><td width=\"80\">100-100</td><td width=\"80\">-</td>"
        "<td width=\"250\">-</td></tr>"
        "<tr align=\"center\" bgcolor=\"#EFEFEF\"><td width=\"300\" >fronde</td>"
        "<td width=\"80\">0</td><td width=\"80\">0(0)</td><td width=\"80\">0%</td>"
        "<td width=\"80\">0-0</td><td width=\"80\">0%</td><td width=\"250\"><b>100.0%,</b> "
        "(100.0% rat\xE9s, 0.0% bloqu\xE9s, 0.0% esquiv\xE9s, 0.0% bull\xE9s, 0.0% fumble)"
        "</td></tr></table>";
    std::size_t start = page.find("\n\n<p><font size=\"4\"><b>Coups Multiples");
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(page.substr(start), expected);
}

TEST(AttackSections, NothingWithoutEntries) {
    auto stats = newPartStats();
    EXPECT_EQ(pageOf(*stats, prepareAttackReport(*stats)), "");
}

}  // namespace
}  // namespace torvelin

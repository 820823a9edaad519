#include "report/reward_sections.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "base/latin1.h"
#include "record/reward_tables.h"
#include "record/value_list.h"
#include "test_support.h"

namespace torvelin {
namespace {

using SectionWriter = void (*)(const PageContext&, const PartStats&);

std::string render(SectionWriter writer, const PartStats& stats) {
    return testing::capturePage([&](std::FILE* out) {
        PageContext page{out, "Resultats", {}};
        writer(page, stats);
    });
}

// Writes a section into a file of its own (the file stays when the program ends on the way).
std::string moneyText(std::int64_t copper) {
    return testing::capturePage([&](std::FILE* out) { writeMoneyText(out, copper); });
}

const std::string summary = " (<a href=\"./Resultats.html#Sommaire\"><i>Sommaire</i></a>)</p>";

TEST(RewardSections, EmptyRecordWritesNoSection) {
    auto stats = newPartStats();
    for (SectionWriter writer :
         {writeKillerSection, writeHuntingSection, writeExperienceSection, writeCraftingSection})
        EXPECT_EQ(render(writer, *stats), "");
}

TEST(KillerSection, ListsKillersWithTheirDeathsAndTheTotalOfDeaths) {
    auto stats = newPartStats();
    findOrAddKiller(*stats, "Alice");
    findOrAddKiller(*stats, "Bob");
    findOrAddKiller(*stats, "Alice");
    EXPECT_EQ(render(writeKillerSection, *stats),
              "\n\n<a name=\"Meurtriers\"></a><p><font size=\"4\"><b>Liste de vos "
              "meurtriers</b></font>" +
                  summary +
                  "<table border=\"0\" bgcolor=\"#000000\"><tr align=\"center\" "
                  "bgcolor=\"#EFEFEF\"><td>Alice(2 fois), Bob</td></tr><tr align=\"left\" "
                  "bgcolor=\"#EFEFEF\"><td><b>Total </b>: 3 meurtriers</td></tr></table>");
}

TEST(KillerSection, NamesAreEscaped) {
    auto stats = newPartStats();
    findOrAddKiller(*stats, "<script>&");
    EXPECT_NE(render(writeKillerSection, *stats).find("<td>&lt;script&gt;&amp;</td>"),
              std::string::npos);
}

TEST(HuntingSection, ListsKillsWithTotals) {
    auto stats = newPartStats();
    openKillEntry(*stats, "Bob", false);
    stats->kills[0].realmPoints = 250;
    stats->kills[0].xp = 999999999;
    openKillEntry(*stats, "Inconnu", false);
    stats->kills[1].realmPoints = 100;
    stats->kills[1].bounties = 3;
    stats->kills[1].xp = 6;
    EXPECT_EQ(render(writeHuntingSection, *stats),
              "\n\n<a name=\"Tableau de chasse\"></a><p><font size=\"4\"><b>Tableau de "
              "chasse</b></font>" +
                  summary +
                  "<table border=\"0\" bgcolor=\"#000000\"><tr align=\"center\" "
                  "bgcolor=\"#EFEFEF\"><td>Bob (250 rps), Inconnu (100 rps)</td></tr><tr "
                  "align=\"left\" bgcolor=\"#EFEFEF\"><td><b>Total : </b>350 rps, 3 primes, "
                  "1.000.000.005 xp</td></tr></table>");
}

TEST(HuntingSection, OwnKillsAreBoldAndTheirNamesEscaped) {
    auto stats = newPartStats();
    openKillEntry(*stats, "<i>Bob", true);
    stats->kills[0].realmPoints = 5;
    std::string page = render(writeHuntingSection, *stats);
    EXPECT_NE(page.find("<td><b>&lt;i&gt;Bob</b> (5 rps)</td>"), std::string::npos);
    EXPECT_NE(page.find("5 rps, 0 primes, 0 xp"), std::string::npos);
}

TEST(HuntingSection, LargeTotalsKeepTheirValue) {
    auto stats = newPartStats();
    for (int i = 0; i < 3; ++i) {
        openKillEntry(*stats, "Bob", false);
        stats->kills[static_cast<std::size_t>(i)].realmPoints = 2000000000;
        stats->kills[static_cast<std::size_t>(i)].xp = 2100000000;
    }
    std::string page = render(writeHuntingSection, *stats);
    EXPECT_NE(page.find("6000000000 rps, 0 primes, 6.300.000.000 xp"), std::string::npos);
}

TEST(MoneyText, ShowsGoldAndSilverOnly) {
    EXPECT_EQ(moneyText(23507), "2 ors, 35 argents");
    EXPECT_EQ(moneyText(99), "");
    EXPECT_EQ(moneyText(150), "1 argents");
    EXPECT_EQ(moneyText(10000), "1 ors, 0 argents");
    EXPECT_EQ(moneyText(3000000000), "300000 ors, 0 argents");
}

const std::string xpHeader =
    "<table  border=\"0\" bgcolor=\"#000000\"><tr align=\"center\" bgcolor=\"#DEE3E7\"><td "
    "width=\"150\" height=\"25\" >Nom du monstre</td><td width=\"60\" height=\"25\" "
    ">Nombre</td><td width=\"150\" height=\"25\" >XP moyen</td><td width=\"150\" height=\"25\" "
    ">XP total</td><td width=\"120\" height=\"25\" >Argent</td><td width=\"250\" height=\"25\" "
    ">Loots</td></tr>";

TEST(ExperienceSection, OneRowPerCreditedMonsterAndATotalRow) {
    auto stats = newPartStats();
    MonsterEntry& wolf =
        stats->monsters[static_cast<std::size_t>(findOrAddMonster(*stats, "Le loup"))];
    wolf.killCount = 2;
    wolf.xp[0] = 2501;
    wolf.xp[1] = 300;
    wolf.moneyCopper = 23507;
    wolf.loots = {{"une peau", 2}, {"une <dent>", 1}};
    std::int32_t bear = findOrAddMonster(*stats, "Un ours");
    stats->monsters[static_cast<std::size_t>(bear)].moneyCopper = 99;

    std::string expected;
    expected +=
        "\n\n<a name=\"XP\"></a><p><font size=\"4\"><b>Points d'expérience,argent, "
        "loots</b></font>"_l1.view();
    expected += summary + xpHeader;
    expected +=
        "<tr align=\"center\" bgcolor=\"#EFEFEF\"><td width=\"150\" height=\"25\" >Le "
        "loup</td><td width=\"60\" height=\"25\" >2</td><td width=\"150\" height=\"25\" "
        ">1.250<br>(bonus : 150)</td><td width=\"150\" height=\"25\" >2.501<br>(bonus : "
        "300)</td><td width=\"120\" height=\"25\" >2 ors, 35 argents</td><td width=\"250\" "
        "height=\"25\" >2 * une peau<br>1 * une &lt;dent&gt;</td></tr>";
    expected +=
        "<tr align=\"center\" bgcolor=\"#DEE3E7\"><td width=\"150\" height=\"25\" "
        "><i>Total</i></td><td width=\"60\" height=\"25\" >2</td><td width=\"150\" height=\"25\" "
        ">1.250<br>(bonus : 150)</td><td width=\"150\" height=\"25\" >2.501<br>(bonus : "
        "300)</td><td width=\"120\" height=\"25\" >2 ors, 36 argents</td><td width=\"250\" "
        "height=\"25\" ></td></tr></table>";
    EXPECT_EQ(render(writeExperienceSection, *stats), expected);
}

TEST(ExperienceSection, SingleMonsterHasNoTotalRowAndBillionsAreAveraged) {
    auto stats = newPartStats();
    findOrAddMonster(*stats, "Le dragon");
    MonsterEntry& dragon = stats->monsters[0];
    dragon.killCount = 2;
    dragon.xp = {5, 0, 0, 8};
    dragon.xpBillions = {1, 0, 0, 0};
    std::string page = render(writeExperienceSection, *stats);
    EXPECT_NE(page.find(">500.000.002<br>(fort : 4)</td><td width=\"150\" height=\"25\" "
                        ">1.000.000.005<br>(fort : 8)</td><td width=\"120\" height=\"25\" "
                        "></td><td width=\"250\" height=\"25\" ></td></tr></table>"),
              std::string::npos);
    EXPECT_EQ(page.find("Total"), std::string::npos);
}

TEST(ExperienceSection, TotalRowWithoutKillsShowsZeroAverages) {
    auto stats = newPartStats();
    findOrAddMonster(*stats, "Le loup");
    findOrAddMonster(*stats, "Un ours");
    stats->monsters[1].xp[2] = 40;
    std::string page = render(writeExperienceSection, *stats);
    EXPECT_TRUE(page.ends_with(
        "<td width=\"60\" height=\"25\" >0</td><td width=\"150\" height=\"25\" >"
        "<br>(groupe : 0)</td><td width=\"150\" height=\"25\" ><br>(groupe : 40)</td><td "
        "width=\"120\" height=\"25\" ></td><td width=\"250\" height=\"25\" ></td></tr></table>"));
    EXPECT_EQ(page.find(">Le loup<"), std::string::npos);
}

std::string craftCells(std::string_view name, std::string_view figures, std::string_view gains) {
    std::string row = "<tr align=\"center\" bgcolor=\"#DEE3E7\"><td width=\"250\" height=\"25\" >";
    row += name;
    row += "</td>";
    row += figures;
    row += "<td width=\"150\" height=\"25\" >";
    row += gains;
    row += "</td></tr>";
    return row;
}

// Attempts, then the percentages of results and qualities and the average quality.
std::string figureCells(int attempts, std::initializer_list<int> results,
                        std::initializer_list<int> qualities, int average) {
    std::string cells = "<td width=\"80\" height=\"25\" >" + std::to_string(attempts) + "</td>";
    for (int r : results)
        cells += "<td width=\"80\" height=\"25\" >" + std::to_string(r) + "%</td>";
    for (int q : qualities)
        cells += "<td width=\"40\" height=\"25\" >" + std::to_string(q) + "%</td>";
    cells += "<td width=\"70\" height=\"25\" >" + std::to_string(average) + "%</td>";
    return cells;
}

TEST(CraftingSection, RowWithQualitiesAndFailures) {
    auto stats = newPartStats();
    CraftEntry& dagger =
        stats->crafts[static_cast<std::size_t>(findOrAddCraft(*stats, "une dague"))];
    for (int quality : {94, 96, 96, 101})
        appendValue(dagger.qualities, quality);
    dagger.failuresNoLoss = 1;

    std::string expected =
        "\n\n<a name=\"Artisanat\"></a><p><font size=\"4\"><b>Artisanat</b></font>" + summary;
    expected +=
        "<table  width=\"1070\" border=\"0\" bgcolor=\"#000000\"><tr align=\"center\" "
        "bgcolor=\"#DEE3E7\"><td width=\"250\" height=\"25\" > Nom de l'objet </td><td "
        "width=\"80\" height=\"25\" >Tentatives</td><td width=\"80\" height=\"25\" "
        ">Réussites</td><td width=\"80\" height=\"25\" >Ratages</td><td width=\"80\" "
        "height=\"25\" >Pertes</td><td width=\"40\" height=\"25\" >94%</td><td width=\"40\" "
        "height=\"25\" >95%</td><td width=\"40\" height=\"25\" >96%</td><td width=\"40\" "
        "height=\"25\" >97%</td><td width=\"40\" height=\"25\" >98%</td><td width=\"40\" "
        "height=\"25\" >99%</td><td width=\"40\" height=\"25\" >100%</td><td width=\"70\" "
        "height=\"25\" >Qua moy</td><td width=\"150\" height=\"25\" >Gains</td></tr>"_l1.view();
    expected +=
        craftCells("une dague", figureCells(5, {80, 20, 0}, {25, 0, 50, 0, 0, 0, 0}, 72), "-");
    expected += "</table>";
    EXPECT_EQ(render(writeCraftingSection, *stats), expected);
}

TEST(CraftingSection, TotalRowMergesSkillsByName) {
    auto stats = newPartStats();
    CraftEntry& bow = stats->crafts[static_cast<std::size_t>(findOrAddCraft(*stats, "un arc"))];
    appendValue(bow.qualities, 100);
    bow.skills = {{"forge ", 2}, {"<couture>", 1}};
    CraftEntry& shield =
        stats->crafts[static_cast<std::size_t>(findOrAddCraft(*stats, "un bouclier"))];
    shield.failuresWithLoss = 3;
    shield.skills = {{"forge ", 1}, {"cuir", 3}};
    findOrAddCraft(*stats, "une dague");

    std::string page = render(writeCraftingSection, *stats);
    std::string rows =
        craftCells("un arc", figureCells(1, {100, 0, 0}, {0, 0, 0, 0, 0, 0, 100}, 100),
                   "forge  + 2<br>&lt;couture&gt; + 1<br>") +
        craftCells("un bouclier", figureCells(3, {0, 0, 100}, {0, 0, 0, 0, 0, 0, 0}, 0),
                   "forge  + 1<br>cuir + 3<br>") +
        craftCells("une dague", figureCells(0, {0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, 0), "-") +
        craftCells("<i>Total</i>", figureCells(4, {25, 0, 75}, {0, 0, 0, 0, 0, 0, 100}, 100),
                   "forge  + 3<br>&lt;couture&gt; + 1<br>cuir + 3<br>") +
        "</table>";
    EXPECT_TRUE(page.ends_with(rows)) << page;
}

}  // namespace
}  // namespace torvelin

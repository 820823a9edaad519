// What every section of an analysis page receives: the open page, the link to the page itself and
// the sections it holds; and the titles of the effect lists.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

inline constexpr std::string_view siteAddress = "https://torvelin.example/";

// The title of a given-effect list, which is also the anchor of its section.
std::string_view givenEffectTitle(GivenEffect effect);

// The title of the damage received under an incoming kind.
std::string_view receivedDamageTitle(IncomingKind kind);

// Which sections the page holds, decided before the page is opened.
struct SectionFlags {
    bool hasRanged = false;
    bool hasSpells = false;
    bool hasHeals = false;
    bool hasNonOffensive = false;
    std::int64_t defenceTotal = 0;
};

// What every section writer receives.
struct PageContext {
    std::FILE* out;
    // The part's page name as written into links (file-name safe and HTML-escaped).
    std::string_view partLink;
    SectionFlags flags;
};

}  // namespace torvelin

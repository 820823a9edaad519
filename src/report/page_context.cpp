#include "report/page_context.h"

#include "base/latin1.h"

namespace torvelin {

std::string_view givenEffectTitle(GivenEffect effect) {
    static const KindArray<GivenEffect, std::string_view> titles = {{
        "Poisons donnés"_l1,
        "Add dmg donnés"_l1,
        "Bouclier dmg donnés"_l1,
        "Saignements donnés"_l1,
        "Poisons acides donnés"_l1,
        "Maladies données"_l1,
    }};
    return titles[effect];
}

std::string_view receivedDamageTitle(IncomingKind kind) {
    static const KindArray<IncomingKind, std::string_view> titles = {{
        "Coups de poisons recus"_l1,
        "Coups recus au corps à corps en rvr"_l1,
        "Flèches recues"_l1,
        "Maladies recues"_l1,
        "Poisons violents recus"_l1,
        "Add dommages recus"_l1,
        "Saignements subis"_l1,
        "Sorts recus"_l1,
    }};
    return titles[kind];
}

}  // namespace torvelin

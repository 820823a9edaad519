// The (weapon, style) entries of a part and the weapon last used with each style.
//
// The game never names the weapon and the style of an attack in one line: a style is announced in
// one line, its outcome in another, and only a successful hit names the weapon. The current pair
// of the record (`currentWeapon`, `currentStyle`) says what an event is booked to; these lookups
// choose the entry of that pair.
#pragma once

#include <string_view>

#include "record/part_stats.h"

namespace torvelin {

// The entry at `currentWeaponStyle`, which may be written before it is counted (events booked
// before the first lookup go to entry 0).
WeaponStyleEntry& currentWeaponStyleEntry(PartStats& stats);

// Finds or adds the entry of (`currentWeapon`, `currentStyle`) and makes it current. An entry of
// the same style whose weapon is still "Inconnue" is adopted by the current weapon.
void findWeaponStyle(PartStats& stats);

// Records `currentWeapon` as the weapon last used with `currentStyle`.
void linkStyleWeapon(PartStats& stats);

// Sets `currentWeapon` to the weapon last used with `currentStyle`, "Inconnue" when none is known.
void weaponOfStyle(PartStats& stats);

}  // namespace torvelin

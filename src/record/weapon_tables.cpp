#include "record/weapon_tables.h"

#include "base/text.h"

namespace torvelin {

WeaponStyleEntry& currentWeaponStyleEntry(PartStats& stats) {
    return slotAt(stats.weaponStyles, stats.currentWeaponStyle);
}

void findWeaponStyle(PartStats& stats) {
    for (std::int32_t i = 0; i < stats.weaponStyleCount; ++i) {
        WeaponStyleEntry& entry = stats.weaponStyles[static_cast<std::size_t>(i)];
        if (entry.styleName != stats.currentStyle)
            continue;
        // An attack booked before its weapon was named is handed over to the first weapon seen
        // with the same style.
        if (isLeadingPartOf(entry.weaponName, unknownWeapon)) {
            entry.weaponName = stats.currentWeapon;
            stats.currentWeaponStyle = i;
            return;
        }
        if (entry.weaponName == stats.currentWeapon) {
            stats.currentWeaponStyle = i;
            return;
        }
    }
    std::int32_t index = stats.weaponStyleCount++;
    // Entry 0 may already hold events booked before the first lookup.
    WeaponStyleEntry& entry = slotAt(stats.weaponStyles, index);
    entry.weaponName = stats.currentWeapon;
    entry.styleName = stats.currentStyle;
    stats.currentWeaponStyle = index;
}

namespace {

StyleWeaponLink* findLink(PartStats& stats) {
    for (std::int32_t i = 0; i < stats.styleWeaponCount; ++i) {
        StyleWeaponLink& link = stats.styleWeapons[static_cast<std::size_t>(i)];
        if (link.styleName == stats.currentStyle)
            return &link;
    }
    return nullptr;
}

}  // namespace

void linkStyleWeapon(PartStats& stats) {
    StyleWeaponLink* link = findLink(stats);
    if (link == nullptr) {
        link = &slotAt(stats.styleWeapons, stats.styleWeaponCount++);
        link->styleName = fitName(stats.currentStyle, nameLength);
    }
    link->weaponName = stats.currentWeapon;
}

void weaponOfStyle(PartStats& stats) {
    const StyleWeaponLink* link = findLink(stats);
    if (link != nullptr)
        stats.currentWeapon = link->weaponName;
    else
        stats.currentWeapon.assign(unknownWeapon);
}

}  // namespace torvelin

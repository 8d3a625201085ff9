// Weapon template: something wielded to deal damage.
// Replace this file with your own house template; the plug-in copies it, as it is, into
// every new document made with Tamrel Templates > Weapon.

inherit "/std/weapon";

void create() {
    ::create();

    set_name("sword");
    set_id(({ "sword", "short sword" }));
    set_short("a short sword");
    set_long("A short, straight blade with a plain iron guard.\n");

    // Skill used to wield it, and whether it needs both hands.
    set_weapon_skill("sword");
    set_two_handed(0);

    // Damage dealt per hit: kind, then least and most.
    set_damage("slash", 2, 8);

    set_weight(1400);
    set_value(300);
}

// Called after every hit; return extra damage, or 0.
int special_hit(object target) {
    return 0;
}

// Armour template: something worn that protects.
// Replace this file with your own house template; the plug-in copies it, as it is, into
// every new document made with Tamrel Templates > Armour.

inherit "/std/armour";

void create() {
    ::create();

    set_name("jerkin");
    set_id(({ "jerkin", "leather jerkin" }));
    set_short("a leather jerkin");
    set_long("A jerkin of boiled leather, scuffed but sound.\n");

    // Where it is worn: "body", "head", "hands", "feet", "shield", ...
    set_armour_type("body");

    // Protection against each kind of damage.
    set_protection("slash", 3);
    set_protection("pierce", 2);
    set_protection("blunt", 4);

    set_weight(2500);
    set_value(150);
}

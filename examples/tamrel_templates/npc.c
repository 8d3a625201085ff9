// NPC template: a character the game plays, friend or foe.
// Replace this file with your own house template; the plug-in copies it, as it is, into
// every new document made with Tamrel Templates > NPC.

inherit "/std/monster";

void create() {
    ::create();

    set_name("guard");
    set_id(({ "guard", "town guard" }));
    set_short("a town guard");
    set_long("A bored-looking guard leans on a spear.\n");

    set_race("human");
    set_gender("male");
    set_level(5);

    // 0 waits to be attacked; 1 attacks players on sight.
    set_aggressive(0);

    // Things the guard says now and then, and how often (percent per heartbeat).
    set_chat_chance(5);
    add_chat("Move along.");
    add_chat("Quiet day, isn't it?");

    // What it carries, cloned when it is created.
    add_equipment("/areas/example/obj/spear");
}

// Room template: a place players can stand in.
// Replace this file with your own house template; the plug-in copies it, as it is, into
// every new document made with Tamrel Templates > Room.

inherit "/std/room";

void create() {
    ::create();

    // The one-line name shown in exits and the room list.
    set_short("A quiet room");

    // What a player sees on entering or looking.
    set_long("Bare walls of grey stone surround you. "
             "Dust lies thick on the floor.\n");

    // Light level: 0 is dark, 1 is daylight.
    set_light(1);

    // Exits: direction, then the file of the room it leads to.
    add_exit("north", "/areas/example/hall");
    add_exit("south", "/areas/example/yard");

    // Things that can be looked at but not taken.
    add_item(({ "wall", "walls" }), "The stone is cold and damp.\n");
}

void reset() {
    ::reset();
    // Bring back whatever should return when the area resets.
}

// Object template: something a player can pick up, carry and use.
// Replace this file with your own house template; the plug-in copies it, as it is, into
// every new document made with Tamrel Templates > Object.

inherit "/std/object";

void create() {
    ::create();

    // Names players can use for it; the first is its main name.
    set_name("box");
    set_id(({ "box", "wooden box" }));

    set_short("a small wooden box");
    set_long("A plain box of pale wood, held shut by a brass clasp.\n");

    // Weight in grams and value in copper coins.
    set_weight(400);
    set_value(12);
}

// Called when a player types "open box".
int do_open(string what) {
    if (!id(what)) {
        return 0;
    }
    write("The clasp springs open. The box is empty.\n");
    return 1;
}

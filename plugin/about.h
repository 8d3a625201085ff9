// The About command.
#pragma once

void showAbout();

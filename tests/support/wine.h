#pragma once

// True when this program runs under Wine rather than on Windows.
bool runningUnderWine();

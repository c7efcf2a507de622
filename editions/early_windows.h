#pragma once
// The windows of editions 1 to 5: the controls each has, with their captions,
// initial values and places, and the lines of its pipeline diagram.

#include "editions/edition_config.h"

namespace editions {

EditionConfig window1();
EditionConfig window2();
EditionConfig window3();  // editions 3 and 4
EditionConfig window5();

}  // namespace editions

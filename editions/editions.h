#pragma once
// The ten editions. A program links the one it is; kelvo-render links all.

#include "editions/edition_config.h"

namespace editions {

const EditionConfig& edition1();
const EditionConfig& edition2();
const EditionConfig& edition3();
const EditionConfig& edition4();
const EditionConfig& edition5();
const EditionConfig& edition6();
const EditionConfig& edition7();
const EditionConfig& edition8();
const EditionConfig& edition9();
const EditionConfig& edition10();

// Edition `number`, 1 to 10; null for any other number. It brings all ten
// configurations with it, so only kelvo-render and the tests use it.
const EditionConfig* find_edition(long number);

}  // namespace editions

#pragma once
#include "editions/edition_config.h"

namespace editions {
// Edition 8, kelvo8: the fullest window; editions 6 and 7 share it.
const EditionConfig& edition8();
}  // namespace editions

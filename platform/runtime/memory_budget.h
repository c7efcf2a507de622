#pragma once
// A ceiling on the memory a process may take from now on.
//
// A model file of a few bytes can claim billions of corners in its header;
// a reader that believes it asks for tens of gigabytes and fills them with
// zeros before it finds the file short. With a ceiling the request fails at
// once, as std::bad_alloc, instead of taking the machine's memory first.
// Only atl-import, a Linux tool, sets one.

#include <cstdint>

namespace runtime {

// Lets the process map at most `bytes` of address space beyond what it has
// mapped already (a sanitizer's shadow memory, say), by lowering its limit;
// a lower limit already set (ulimit -v) is kept.
void limit_further_memory(std::uint64_t bytes);

}  // namespace runtime

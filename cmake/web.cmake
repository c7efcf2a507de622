# The WebAssembly build with Debian's emscripten (3.1.6), configured through
# emcmake. Its runtime libraries are prebuilt and frozen: no ports (libpng,
# giflib, zlib), and no threads, which a page could only use with
# cross-origin isolation headers that a plain static host does not send.

# Without -fexceptions emcc drops exceptions silently and the first throw
# ends the program. SSE2 intrinsics need wasm's SIMD to be emulated; the
# emulation rounds as x86 does.
add_compile_options(-fexceptions -msimd128 -msse2)
add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1)

#pragma once
// Sine and cosine of a double, worked out by code of our own instead of the C
// library's: glibc, mingw's and emscripten's libraries differ in the last bit
// of some results, and a rotation built on them would then differ from one
// build to the next. This code uses only IEEE additions, multiplications,
// divisions and exact conversions, so every build gets the same bits.
// Accurate to within one unit in the last place (the method of fdlibm).

namespace runtime {

double sine(double x);
double cosine(double x);

}  // namespace runtime

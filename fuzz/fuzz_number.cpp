// Feeds arbitrary bytes to the number reader as the text of a model line or a
// text box: every number of a model file and every counter of the window goes
// through it, so no text may read out of bounds or convert out of range.
// What is checked beyond the sanitizers: text_to_number and parse_number
// agree whenever the former accepts, the reader fed the text in pieces (as
// the loader feeds a long line) reads what it reads from the whole, and a
// number written back as text reads back as the same number.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "app/text_number.h"
#include "platform/runtime/number.h"
#include "platform/runtime/runtime_error.h"
#include "platform/toolkit/controls.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double parsed = runtime::parse_number(text);

  // Pieces of sizes taken from the text itself.
  runtime::NumberReader pieces;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t piece = 1 + static_cast<unsigned char>(text[at]) % 13;
    pieces.add(text.substr(at, piece));
    at += piece;
  }
  const double streamed = pieces.value();
  if (std::memcmp(&streamed, &parsed, sizeof parsed) != 0) std::abort();

  try {
    const double strict = runtime::text_to_number(text);
    if (!(strict == parsed || (std::isnan(strict) && std::isnan(parsed)))) std::abort();
  } catch (const runtime::RuntimeError&) {
  }

  if (std::isfinite(parsed)) {
    const double again = runtime::parse_number(runtime::number_to_text(parsed));
    // Fifteen significant digits: the same number to within that precision
    // (and to within the spacing of the denormals near zero).
    const double tolerance = std::fabs(parsed) * 1e-14 + 1e-323;
    if (!(std::fabs(again - parsed) <= tolerance)) std::abort();
  }

  // A text box holding the text, read as the window reads its counters.
  toolkit::TextBox box("Text7");
  box.set_Text(std::string(text));
  try {
    (void)app::read_single(box);
  } catch (const runtime::RuntimeError&) {
  }
  return 0;
}

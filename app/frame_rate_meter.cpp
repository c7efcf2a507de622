// Timer1_Timer: the frame-rate meter, once a second. Frames per second are
// the frames the loop counted since the previous tick.

#include <cstdint>

#include "app/form1.h"
#include "app/text_number.h"
#include "platform/runtime/convert.h"

namespace app {

void Form1::Timer1_Timer() {
  Text2.set_Text(Text1.Text());  // copied as text, unconverted
  Text1.set_Text("0");

  // The throughput figure is skipped on any error: no table yet, a text that
  // is not a number, a product beyond 32 bits.
  if (!loop_.throughput || !B3D.TriangleTable) return;
  try {
    const double f = runtime::text_to_number(Text2.Text());
    const double p = f * B3D.TriangleTable->upper_row();
    const std::int32_t hundreds = runtime::to_int32(p) / 100;  // truncates toward zero
    write_number(Text5, hundreds);
  } catch (const runtime::RuntimeError&) {
  }
}

}  // namespace app

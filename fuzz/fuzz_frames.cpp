// Feeds the renderers a triangle table and a panel of controls taken from the
// input, and runs a few frames of an edition on the headless toolkit. The
// cells are any float bit patterns (huge, infinite, NaN, denormal, equal
// depth keys), which a model file cannot bring but rotation, zoom and
// perspective can produce; every stage must either draw, skip or raise the
// program's own error, never read out of bounds or convert out of range.
//
// Input layout, read front to back (missing bytes read as 0):
//   edition (1..10), frames (1..3), flags (bit 0: two threads, bit 1: a timer
//   tick each frame), then for every control of the edition in its order: a
//   check box one byte (0, 1, 2), a scroll bar two bytes (within Min..Max), a
//   text box one byte (bit 7 set: the next (byte & 15) bytes become its
//   text); then the upper row (two bytes, 0..300) and the cells, four bytes
//   each, repeated from their start when the input runs out.

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/form1.h"
#include "editions/editions.h"
#include "platform/toolkit/headless_toolkit.h"

namespace {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  unsigned two() { return byte() | (unsigned{byte()} << 8); }
  std::string text(std::size_t length) {
    std::string s;
    while (length-- > 0 && pos_ < size_) s += static_cast<char>(data_[pos_++]);
    return s;
  }
  std::size_t pos() const { return pos_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

constexpr int kMaxRows = 300;
constexpr long kMaxYields = 10000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in(data, size);
  const editions::EditionConfig& edition = *editions::find_edition(1 + in.byte() % 10);
  const long frames = 1 + in.byte() % 3;
  const std::uint8_t flags = in.byte();

  toolkit::HeadlessToolkit toolkit;
  app::Form1 form(edition, toolkit, std::filesystem::temp_directory_path().string());
  form.B3D.set_threads((flags & 1) ? b3d::Threads::Two : b3d::Threads::One);

  for (toolkit::Control* control : form.controls()) {
    if (auto* box = dynamic_cast<toolkit::CheckBox*>(control)) {
      box->set_Value(in.byte() % 3);
    } else if (auto* bar = dynamic_cast<toolkit::HScrollBar*>(control)) {
      const unsigned span = static_cast<unsigned>(bar->Max - bar->Min) + 1;
      bar->set_Value(bar->Min + static_cast<int>(in.two() % span));
    } else if (auto* text_box = dynamic_cast<toolkit::TextBox*>(control)) {
      const std::uint8_t b = in.byte();
      if (b & 0x80) text_box->set_Text(in.text(b & 15));
    }
  }

  const int upper_row = static_cast<int>(in.two() % (kMaxRows + 1));
  b3d::Table table(upper_row);
  const std::size_t first = in.pos();
  const std::size_t cell_bytes = size > first ? size - first : 0;
  if (cell_bytes >= 4) {
    std::size_t at = 0;
    for (int r = 0; r <= upper_row; ++r) {
      for (int c = 0; c < b3d::kColumns; ++c) {
        if (at + 4 > cell_bytes) at = 0;
        std::memcpy(&table(r, c), data + first + at, 4);
        at += 4;
      }
    }
  }
  form.B3D.TriangleTable = std::move(table);

  toolkit.at_frame_end = [&](long frame) {
    if (flags & 2) form.Timer1.fire();
    if (frame == frames) form.form.user_close();
  };
  // A huge pacing count makes a frame sleep for ever in 5 ms steps, as the
  // pacing rule says, while the window stays open to be closed: so the run
  // is closed once it has yielded that often.
  toolkit.at_yield = [&](long yield) {
    if (yield == kMaxYields) form.form.user_close();
  };
  form.Command1.user_click();
  return 0;
}

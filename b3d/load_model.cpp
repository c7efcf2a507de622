// LoadModel: the .atl reader. One number per value line, nine per triangle.

#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

#include "b3d/b3d.h"
#include "platform/runtime/number.h"
#include "platform/runtime/single.h"
#include "platform/runtime/text_input.h"

namespace b3d {

namespace {

// A comment line is known by its very first character only.
bool is_comment(std::string_view first_piece) {
  return first_piece[0] == '#' || first_piece[0] == '*';
}

// Reads the next line of `input` as a value line's number; false for a
// comment line. The line goes through in pieces, so its length costs time
// but no memory.
bool read_value_line(runtime::TextInput& input, runtime::NumberReader& number) {
  number.reset();
  bool first = true;
  bool comment = false;
  input.read_line([&](std::string_view piece) {
    if (first) comment = is_comment(piece);
    first = false;
    if (!comment) number.add(piece);
  });
  return !comment;
}

}  // namespace

void B3D::LoadModel() {
  const std::string name = c_.File1.FileName();
  // A load that fails leaves the model, and the title that counts it, as
  // they were.
  const std::string caption = c_.Form1.Caption();
  try {
    // The list shows its own folder, so the name is opened there; opening it
    // in the program's folder would load another file, or none, whenever the
    // two differ.
    runtime::TextInput input(c_.File1.Path + "/" + name);
    const int n = read_model(input);
    // Without the zoom bar the numbers stay as read: times 1 is exact.
    const float zoom = v_.zoom ? static_cast<float>(c_.HScroll4.Value()) : 1.0f;
    Table table(n, v_.table_columns);
    for (int r = 0; r <= n; ++r) {
      for (int k = 0; k < kColumns; ++k) table(r, k) = LoadBuffer(r, k) * zoom;
    }
    TriangleTable = std::move(table);
  } catch (const std::bad_alloc&) {
    c_.Form1.set_Caption(caption);
    throw std::runtime_error("Not enough memory to load \"" + name + "\"");
  } catch (...) {
    c_.Form1.set_Caption(caption);
    throw;
  }
}

// Reads the file into a new staging area, the title counting the
// triangles; returns how many are complete.
int B3D::read_model(runtime::TextInput& input) {
  // Cleared where it stands once it has its full size: a new one every load
  // costs its pages afresh, which adds up over thousands of clicks.
  if (LoadBuffer.upper_row() == kMaxTriangles && LoadBuffer.columns() == kColumns) {
    LoadBuffer.clear();
  } else {
    LoadBuffer = Table(kMaxTriangles);
  }
  int row = 1;
  int column = 1;
  runtime::NumberReader number;
  // The staging area has room for rows 1..19000 only; the rest of a larger
  // file is ignored.
  while (row <= kMaxTriangles && !input.eof()) {
    if (!read_value_line(input, number)) continue;
    LoadBuffer(row, column) = runtime::to_single(number.value() / 3);
    ++column;
    if (column == 10) {
      ++row;
      column = 1;
      c_.Form1.set_Caption(runtime::number_to_text(row - 1));
    }
  }
  c_.Form1.set_Caption(runtime::number_to_text(row - 1));
  return row - 1;
}

}  // namespace b3d

// LoadModel: the .atl reader. One number per value line, nine per triangle.

#include <string>

#include "b3d/b3d.h"
#include "platform/runtime/number.h"
#include "platform/runtime/single.h"
#include "platform/runtime/text_input.h"

namespace b3d {

namespace {

// A comment line is known by its very first character only.
bool is_comment(const std::string& line) {
  return !line.empty() && (line[0] == '#' || line[0] == '*');
}

}  // namespace

void B3D::LoadModel() {
  const std::string name = c_.File1.FileName();
  // The list shows its own folder, so the name is opened there; opening it in
  // the program's folder would load another file, or none, whenever the two differ.
  runtime::TextInput input(c_.File1.Path + "/" + name);

  LoadBuffer = Table(kMaxTriangles);
  int row = 1;
  int column = 1;
  std::string line;
  // The staging area has room for rows 1..19000 only; the rest of a larger
  // file is ignored.
  while (row <= kMaxTriangles && !input.eof()) {
    input.read_line(line);
    if (is_comment(line)) continue;
    LoadBuffer(row, column) = runtime::to_single(runtime::parse_number(line) / 3);
    ++column;
    if (column == 10) {
      ++row;
      column = 1;
      c_.Form1.set_Caption(runtime::number_to_text(row - 1));
    }
  }
  const int n = row - 1;
  c_.Form1.set_Caption(runtime::number_to_text(n));

  // Without the zoom bar the numbers stay as read: times 1 is exact.
  const float zoom = v_.zoom ? static_cast<float>(c_.HScroll4.Value()) : 1.0f;
  Table table(n, v_.table_columns);
  for (int r = 0; r <= n; ++r) {
    for (int k = 0; k < kColumns; ++k) table(r, k) = LoadBuffer(r, k) * zoom;
  }
  TriangleTable = std::move(table);
}

}  // namespace b3d

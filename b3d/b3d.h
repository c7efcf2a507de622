#pragma once
// Module B3D: the triangle table and the procedures of geometry and drawing
// that share it. The procedures read the window's controls through the
// references handed in at construction, afresh at every use.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "b3d/depth_sort.h"
#include "b3d/shaded_triangle.h"
#include "b3d/staged_sort.h"
#include "b3d/textured_triangle.h"
#include "b3d/triangle_table.h"
#include "b3d/two_threads.h"
#include "b3d/variants.h"
#include "b3d/wire_triangle.h"
#include "platform/runtime/helper_thread.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/file_list_box.h"
#include "platform/toolkit/picture_box.h"

namespace runtime {
class TextInput;
}  // namespace runtime

namespace b3d {

// The controls of Form1 that the procedures of B3D read or write.
struct B3DControls {
  toolkit::Form& Form1;
  toolkit::FileListBox& File1;
  toolkit::HScrollBar& HScroll4;  // zoom
  toolkit::HScrollBar& HScroll5;  // perspective distance
  toolkit::CheckBox& Check5;      // Culling
  toolkit::CheckBox& Check6;      // Z sort
  toolkit::CheckBox& Check8;      // Gradient
  toolkit::CheckBox& Check9;      // Fast lines
  toolkit::CheckBox& Check10;     // Shading
  toolkit::CheckBox& Check19;     // Correct
  toolkit::TextBox& Text7;        // shade level
  toolkit::PictureBox& Picture1;  // main view
  toolkit::PictureBox& Picture2;  // where the oldest textured renderer stages the texture
  toolkit::PictureBox& Picture3;  // work surface of the textured renderer
  toolkit::PictureBox& Picture5;  // texture
};

// How many threads the wire, grey filled and textured renderers draw with.
// Two give the same pictures as one; by size, the second joins only for
// models big enough to repay waking it.
enum class Threads { BySize, One, Two };

// The most triangles a model file can bring; the staging area holds rows 0..kMaxTriangles.
inline constexpr int kMaxTriangles = 19000;

class B3D {
 public:
  explicit B3D(const B3DControls& controls, const Variants& variants = {})
      : c_(controls), v_(variants) {}

  // Reads the file selected in File1 (in the folder the list shows) into the
  // triangle table; the window title shows the number of triangles. A file
  // that cannot be opened or read, or memory that cannot be had for the
  // table, throws std::runtime_error naming the file and the reason, and
  // leaves the model and the title as they were.
  void LoadModel();

  // The stages of a frame. Each works on TriangleTable and does nothing to
  // the table while there is none (no model loaded, no random model built).

  // Turns the model columns into the view columns: about z by angleZ, then x
  // by angleX, then y by angleY (degrees). The three variables are left
  // holding their angles in radians.
  void RotateModel(float& angleX, float& angleY, float& angleZ);
  // The perspective divide of the view x and y, with the eye HScroll5 pixels
  // in front of the plane z = 0.
  void ProjectModel();
  // What a frame does to the table right after the turn.
  struct AfterTurn {
    bool project = false;  // ProjectModel
    bool sort = false;     // DepthSort
  };
  // RotateModel, then ProjectModel and DepthSort as `then` asks: the table
  // the three calls give, in fewer passes over it.
  void RotateModelThen(float& angleX, float& angleY, float& angleZ, AfterTurn then);
  // Rows 1..N far to near by the sum of their view z (see DepthSorter).
  void DepthSort();
  // The outline of every row, from row 0, in the pen colour of column 10.
  void DrawWire(toolkit::PictureBox& target);
  // Rows 1..N filled in flat greys by the shade factor ("Shading"), as
  // polygons or gradient triangles ("Gradient"); Text7 ends showing the
  // shade level of the last triangle drawn. Editions that colour from the
  // table draw rows 0..N in the colours of their cells instead.
  void DrawFilled(toolkit::PictureBox& target);
  // Rows 0..N with the texture of Picture5 laid on them (see
  // texture_placement.h), through the work surface Picture3 onto Picture1.
  void DrawTextured(toolkit::PictureBox& target);

  // Absent until a model is loaded or the random model is built.
  std::optional<Table> TriangleTable;
  // The loader's staging area, (0 To 19000, 0 To 36) while loading; the
  // oldest depth sort stages its rows there too.
  Table LoadBuffer{0};
  // 1 once the textured renderer has cut the texture's far half away; it
  // stays cut for the rest of the run.
  std::int16_t TextureCut = 0;

  void set_threads(Threads threads) { threads_ = threads; }

 private:
  bool two_threads() const;
  // RotateModel, each row projected by `perspective` (a Perspective or
  // NoPerspective) once turned, and keyed for the depth sort by `keys` when
  // given.
  template <class Projection>
  void rotate(float& angleX, float& angleY, float& angleZ, const Projection& perspective,
              KeyOrder* keys);
  float eye_distance() const;
  // The helper thread when two threads pay, null otherwise.
  runtime::HelperThread* helper() { return two_threads() ? &helper_ : nullptr; }
  void draw_shaded(toolkit::PictureBox& target);
  bool draw_shaded_in_two(toolkit::PictureBox& target, const ShadedOptions& options);
  void draw_textured_in_two(const ScreenMapping& screen, const TexturedOptions& options,
                            int correct);
  void prepare_texture(const TexturedOptions& options, int correct);
  void draw_wire_in_two(gdi::HDC dc, const ScreenMapping& screen, bool culling, bool drawing,
                        bool line_calls);
  void draw_table_colours(toolkit::PictureBox& target);
  int read_model(runtime::TextInput& input);

  B3DControls c_;
  Variants v_;
  DepthSorter sorter_;
  StagedSorter staged_sorter_;
  Threads threads_ = Threads::BySize;
  runtime::HelperThread helper_;
  BandBins<ShadedTriangle> shaded_;
  BandBins<TexturedTriangle> textured_;
  BandBins<WireTriangle> wired_;
  std::array<std::vector<WireTriangle>, kPieces> outlines_;  // a piece's outlines before filing
};

}  // namespace b3d

// Our rasteriser against two others on the same work, so that the ratios come
// out of one run on one machine state: Mesa's llvmpipe through OSMesa, and
// Cairo's image surface. Each peer is handed the projected, depth-sorted torus
// already mapped to pixels exactly as DrawFilled maps it, and draws every
// triangle (no culling) in table order, the painter's order, with no depth
// buffer, each triangle in one flat grey: dark for the first drawn, the far
// side, to light for the last. The target has the main view's size. Compare
// with BM_DrawFilled and BM_DrawWire, which also read and map the table and
// leave out back faces, and count the same triangles per second.
//
// With KELVO_PEER_PNG_DIR set, each picture, ours included, is written there
// once as a PNG, so that a person can see they show the same torus.

#include <GL/osmesa.h>
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "b3d/screen_mapping.h"
#include "bench/bench_scene.h"
#include "platform/gdi/png_writer.h"

namespace {

// The sorted torus as the peers take it, and our own picture of it.
struct Frame {
  explicit Frame(int triangles);
  int count() const { return static_cast<int>(grey.size()); }

  int width = 0;
  int height = 0;
  gdi::COLORREF back = 0;
  std::vector<gdi::POINT> corners;  // three per triangle
  std::vector<std::uint8_t> grey;   // one per triangle
  gdi::Surface ours;
};

// Empty when a peer's picture is plausibly the torus of ours: it covers at
// least half as many pixels, and hardly any outside ours.
std::string mismatch(const Frame& frame, const gdi::Surface& picture) {
  long mine = 0, theirs = 0, outside = 0;
  for (std::size_t i = 0; i < picture.pixels().size(); ++i) {
    const bool in_ours = (frame.ours.pixels()[i] & 0xFFFFFFu) != frame.back;
    const bool in_theirs = (picture.pixels()[i] & 0xFFFFFFu) != frame.back;
    mine += in_ours;
    theirs += in_theirs;
    outside += in_theirs && !in_ours;
  }
  if (2 * theirs >= mine && 20 * outside <= mine) return {};
  return "covers " + std::to_string(theirs) + " pixels, " + std::to_string(outside) +
         " of them outside the " + std::to_string(mine) + " of ours";
}

void save(const std::string& name, int triangles, const gdi::Surface& picture) {
  static std::set<std::string> saved;
  const char* dir = std::getenv("KELVO_PEER_PNG_DIR");
  const std::string path =
      std::string(dir ? dir : "") + "/" + name + "_" + std::to_string(triangles) + ".png";
  if (dir && saved.insert(path).second) gdi::write_png(path, picture);
}

Frame::Frame(int triangles) {
  bench::Scene scene(triangles);
  app::Form1& form = scene.form;
  form.B3D.ProjectModel();
  form.B3D.DepthSort();
  form.Picture1.Cls();
  // Drawing also sets the box's scale to pixels, which the mapping reads.
  form.B3D.DrawFilled(form.Picture1);
  ours = form.Picture1.image();
  width = ours.width();
  height = ours.height();
  back = form.Picture1.BackColor();
  save("ours_filled", triangles, ours);

  const b3d::ScreenMapping screen(form.Picture1);
  const b3d::Table& table = scene.table();
  const int n = table.upper_row();
  for (int i = 1; i <= n; ++i) {
    const float* row = table.row(i);
    for (int k = 0; k < 3; ++k) {
      // A sample torus always fits the view, so every corner maps.
      corners.push_back(screen.map(row[b3d::kViewX1 + 3 * k], row[b3d::kViewY1 + 3 * k]).value());
    }
    grey.push_back(static_cast<std::uint8_t>(55 + 200 * i / n));
  }
}

// Mesa's software renderer: flat-coloured vertex arrays under an orthographic
// projection whose units are our pixels, y down. Outlines are three separate
// segments a triangle, which llvmpipe draws faster than triangles in line
// mode, moved half a pixel so that they run through pixel centres as ours do.
class Llvmpipe {
 public:
  Llvmpipe(const Frame& frame, bool lines)
      : frame_(frame),
        buffer_(4 * static_cast<std::size_t>(frame.width * frame.height)),
        mode_(lines ? GL_LINES : GL_TRIANGLES) {
    context_ = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
    if (!context_ ||
        !OSMesaMakeCurrent(context_, buffer_.data(), GL_UNSIGNED_BYTE, frame.width, frame.height)) {
      return;
    }
    OSMesaPixelStore(OSMESA_Y_UP, 0);  // the buffer's first row is the top, as in ours
    label_ = reinterpret_cast<const char*>(glGetString(GL_RENDERER));

    glMatrixMode(GL_PROJECTION);
    glOrtho(0, frame.width, frame.height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    if (lines) glTranslatef(0.5f, 0.5f, 0);
    glDisable(GL_DEPTH_TEST);
    glShadeModel(GL_FLAT);
    glClearColor(gdi::GetRValue(frame.back) / 255.0f, gdi::GetGValue(frame.back) / 255.0f,
                 gdi::GetBValue(frame.back) / 255.0f, 1);

    const std::vector<int> order = lines ? std::vector{0, 1, 1, 2, 2, 0} : std::vector{0, 1, 2};
    for (int t = 0; t < frame.count(); ++t) {
      for (const int k : order) {
        const gdi::POINT p = frame.corners[3 * t + k];
        vertices_.insert(vertices_.end(), {static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y)});
        colours_.insert(colours_.end(), 3, frame.grey[t]);
      }
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, vertices_.data());
    glColorPointer(3, GL_UNSIGNED_BYTE, 0, colours_.data());
  }
  ~Llvmpipe() {
    if (context_) OSMesaDestroyContext(context_);
  }
  Llvmpipe(const Llvmpipe&) = delete;
  Llvmpipe& operator=(const Llvmpipe&) = delete;

  // Empty when there is no llvmpipe context to draw with.
  std::string error() const {
    if (label_.find("llvmpipe") != std::string::npos) return {};
    return "no llvmpipe context: " + (label_.empty() ? std::string("OSMesa failed") : label_);
  }
  const std::string& label() const { return label_; }

  void draw() {
    glClear(GL_COLOR_BUFFER_BIT);
    glDrawArrays(mode_, 0, static_cast<GLsizei>(vertices_.size() / 2));
    glFinish();
  }

  gdi::Surface picture() const {
    gdi::Surface s(frame_.width, frame_.height, frame_.back);
    const std::uint8_t* rgba = buffer_.data();
    for (int y = 0; y < frame_.height; ++y) {
      for (int x = 0; x < frame_.width; ++x, rgba += 4) {
        s.row(y)[x] = gdi::RGB(rgba[0], rgba[1], rgba[2]);
      }
    }
    return s;
  }

 private:
  const Frame& frame_;
  std::vector<std::uint8_t> buffer_;
  GLenum mode_;
  OSMesaContext context_ = nullptr;
  std::string label_;
  std::vector<GLfloat> vertices_;
  std::vector<GLubyte> colours_;
};

// Cairo without antialiasing: one path per triangle, filled or stroked 1
// pixel wide through pixel centres.
class Cairo {
 public:
  Cairo(const Frame& frame, bool lines)
      : frame_(frame),
        lines_(lines),
        surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, frame.width, frame.height)),
        cr_(cairo_create(surface_)) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr_, 1);
    if (lines) cairo_translate(cr_, 0.5, 0.5);
  }
  ~Cairo() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  Cairo(const Cairo&) = delete;
  Cairo& operator=(const Cairo&) = delete;

  std::string error() const {
    return cairo_status(cr_) == CAIRO_STATUS_SUCCESS ? ""
                                                     : cairo_status_to_string(cairo_status(cr_));
  }
  std::string label() const { return std::string("cairo ") + cairo_version_string(); }

  void draw() {
    cairo_set_source_rgb(cr_, gdi::GetRValue(frame_.back) / 255.0,
                         gdi::GetGValue(frame_.back) / 255.0, gdi::GetBValue(frame_.back) / 255.0);
    cairo_paint(cr_);
    for (int t = 0; t < frame_.count(); ++t) {
      const double g = frame_.grey[t] / 255.0;
      const gdi::POINT* p = &frame_.corners[3 * t];
      cairo_set_source_rgb(cr_, g, g, g);
      cairo_move_to(cr_, p[0].x, p[0].y);
      cairo_line_to(cr_, p[1].x, p[1].y);
      cairo_line_to(cr_, p[2].x, p[2].y);
      cairo_close_path(cr_);
      lines_ ? cairo_stroke(cr_) : cairo_fill(cr_);
    }
    cairo_surface_flush(surface_);
  }

  gdi::Surface picture() const {
    gdi::Surface s(frame_.width, frame_.height, frame_.back);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < frame_.height; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
      for (int x = 0; x < frame_.width; ++x) {
        s.row(y)[x] = gdi::RGB(row[x] >> 16, row[x] >> 8, row[x]);  // 0x00RRGGBB
      }
    }
    return s;
  }

 private:
  const Frame& frame_;
  bool lines_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// Draws once to check the picture against ours and save it, then times
// drawing from a cleared target to the finished picture.
template <class Peer>
void time_peer(benchmark::State& state, bool lines, const std::string& name) {
  const int triangles = static_cast<int>(state.range(0));
  const Frame frame(triangles);
  Peer peer(frame, lines);
  if (const std::string error = peer.error(); !error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  peer.draw();
  const gdi::Surface picture = peer.picture();
  if (const std::string error = mismatch(frame, picture); !error.empty()) {
    state.SkipWithError((name + " " + error).c_str());
    return;
  }
  save(name, triangles, picture);
  state.SetLabel(peer.label());

  for (auto _ : state) peer.draw();
  state.SetItemsProcessed(state.iterations() * triangles);
}

void BM_PeerLlvmpipeFilled(benchmark::State& state) {
  time_peer<Llvmpipe>(state, false, "llvmpipe_filled");
}
void BM_PeerLlvmpipeLines(benchmark::State& state) {
  time_peer<Llvmpipe>(state, true, "llvmpipe_lines");
}
void BM_PeerCairoFilled(benchmark::State& state) { time_peer<Cairo>(state, false, "cairo_filled"); }
void BM_PeerCairoLines(benchmark::State& state) { time_peer<Cairo>(state, true, "cairo_lines"); }

}  // namespace

// llvmpipe rasterises on threads of its own, so its figures are wall-clock
// time, with the CPU time of the whole process beside it; the calling
// thread's CPU time would leave most of the work out.
BENCHMARK(BM_PeerLlvmpipeFilled)
    ->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_PeerLlvmpipeLines)
    ->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_PeerCairoFilled)->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PeerCairoLines)->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);

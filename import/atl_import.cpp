// atl-import: converts a model in any format Assimp reads into an .atl file.
//
// Usage: atl-import [options] INPUT   (see usage() below)
//
// Axes. Modelling programs and the usual formats are y up, z towards the
// viewer, and a face is outward when its corners run counter-clockwise seen
// from outside. The .atl models are x right, y down, z away from the viewer,
// and a face shows when (B - A) x (C - A) points out of the solid
// (models/generate_models.cpp). Turning the model half a turn about the x axis,
// (x, y, z) -> (x, -y, -z), takes one frame to the other: it is a rotation, not
// a mirror, so the order of the corners that made a face outward still does,
// and the side that faced the viewer in the modelling program faces him here.
// Negating y alone would mirror the model and turn every face inside out.

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <assimp/ProgressHandler.hpp>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <meshoptimizer.h>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/runtime/memory_budget.h"
#include "platform/runtime/output_file.h"
#include "platform/runtime/temporary_files.h"

namespace {

constexpr int kLoaderLimit = 19000;              // triangles the program's loader reads
constexpr int kMaxNesting = 1000;                // levels of nodes; scenes use a few dozen
constexpr std::uintmax_t kLargeFile = 10 << 20;  // bytes; from here on reading shows progress
// The memory a conversion may take: plenty for any real model (Assimp's
// scenes take a few times their file), while a header claiming billions of
// elements is refused at once.
constexpr std::uintmax_t kBaseMemory = std::uintmax_t{2} << 30;
constexpr std::uintmax_t kMemoryPerFileByte = 64;

enum class Winding { keep, flip, automatic };

struct Options {
  std::string input;
  std::string output;
  double size = 200;
  Winding winding = Winding::automatic;
  int max_triangles = kLoaderLimit;
};

// All triangles of the scene in one indexed list, in .atl axes.
struct Mesh {
  std::vector<float> positions;   // x, y, z per vertex
  std::vector<unsigned> indices;  // three per triangle
  std::size_t triangles() const { return indices.size() / 3; }
};

void usage(std::FILE* to) {
  std::fprintf(to,
               "usage: atl-import [options] INPUT\n"
               "Converts a model (OBJ, STL, PLY, glTF/GLB, 3DS, COLLADA and whatever else\n"
               "Assimp reads) into an .atl file for kelvo.\n"
               "\n"
               "  -o, --output FILE      where to write; default INPUT with its extension\n"
               "                         replaced by .atl\n"
               "  --size PIXELS          the largest extent of the model on screen at zoom 1,\n"
               "                         centred on the origin (default 200)\n"
               "  --winding keep|flip|auto\n"
               "                         keep: the source's counter-clockwise faces are the\n"
               "                         outer ones; flip: the clockwise ones are; auto (the\n"
               "                         default): turn a closed mesh's faces outward\n"
               "  --max-triangles N      simplify the mesh to at most N triangles, 1..%d\n"
               "                         (default %d, all the loader reads)\n"
               "  -h, --help             this text\n"
               "\n"
               "To view your models, convert them into a folder of their own and give the\n"
               "folder to kelvo8 (or any edition), whose model list then shows them:\n"
               "  mkdir -p ~/models\n"
               "  atl-import teapot.obj -o ~/models/teapot.atl\n"
               "  kelvo8 ~/models\n"
               "\n"
               "Exit status: 0 written, 1 the model could not be converted, 2 bad usage.\n",
               kLoaderLimit, kLoaderLimit);
}

// A whole positive number, or nothing.
std::optional<long> whole_number(const char* text) {
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0') return std::nullopt;
  return value;
}

// Nothing when the arguments are wrong; the message is already printed.
std::optional<Options> parse_arguments(int argc, char** argv, bool& help) {
  Options o;
  const auto fail = [](const std::string& message) {
    std::fprintf(stderr, "atl-import: %s\n(atl-import --help lists the options)\n",
                 message.c_str());
    return std::nullopt;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (arg == "-h" || arg == "--help") {
      help = true;
      return o;
    } else if (arg == "-o" || arg == "--output") {
      const char* v = value();
      if (!v || !*v) return fail(arg + " needs a file name");
      o.output = v;
    } else if (arg == "--size") {
      const char* v = value();
      char* end = nullptr;
      const double size = v ? std::strtod(v, &end) : 0;
      // Up to a million pixels keeps every coordinate well inside the
      // loader's single precision and the renderers' integer pixels.
      if (!v || end == v || *end != '\0' || !(size > 0 && size <= 1e6))
        return fail("--size needs a number of pixels above 0, at most 1000000");
      o.size = size;
    } else if (arg == "--winding") {
      const char* v = value();
      const std::string w = v ? v : "";
      if (w == "keep")
        o.winding = Winding::keep;
      else if (w == "flip")
        o.winding = Winding::flip;
      else if (w == "auto")
        o.winding = Winding::automatic;
      else
        return fail("--winding must be keep, flip or auto");
    } else if (arg == "--max-triangles") {
      const char* v = value();
      const std::optional<long> n = v ? whole_number(v) : std::nullopt;
      if (!n || *n < 1 || *n > kLoaderLimit)
        return fail("--max-triangles needs a whole number from 1 to " +
                    std::to_string(kLoaderLimit));
      o.max_triangles = static_cast<int>(*n);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("unknown option " + arg);
    } else if (o.input.empty()) {
      o.input = arg;
    } else {
      return fail("one input file only");
    }
  }
  if (o.input.empty()) return fail("no input file");
  if (o.output.empty())
    o.output = std::filesystem::path(o.input).replace_extension(".atl").string();
  return o;
}

// Says how far Assimp has read, a line per tenth, where its reader tells.
class ReadProgress : public Assimp::ProgressHandler {
 public:
  bool Update(float fraction) override {
    if (fraction >= 0 && fraction <= 1) {
      const int tenths = static_cast<int>(fraction * 10);
      if (tenths > shown_) {
        shown_ = tenths;
        std::fprintf(stderr, "atl-import: reading, %d%%\n", 10 * tenths);
      }
    }
    return true;  // never cancel
  }

 private:
  int shown_ = 0;
};

// What is wrong with a scene a reader has left, or nothing. Assimp's later
// steps assert on these faults, ending the program, and gathering the
// triangles would read past the arrays. (Assimp's own validation would also
// refuse a scene for a mesh without faces beside good ones, losing those.)
const char* damage(const aiScene& scene) {
  if (scene.mNumMeshes > 0 && !scene.mMeshes) return "its meshes are missing";
  for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
    const aiMesh* mesh = scene.mMeshes[m];
    if (!mesh || (mesh->mNumVertices > 0 && !mesh->mVertices) ||
        (mesh->mNumFaces > 0 && !mesh->mFaces))
      return "a mesh is missing its corners or faces";
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
      const aiFace& face = mesh->mFaces[f];
      if (face.mNumIndices == 0 || !face.mIndices) return "a face has no corners";
      for (unsigned k = 0; k < face.mNumIndices; ++k) {
        if (face.mIndices[k] >= mesh->mNumVertices)
          return "a face names a corner that is not there";
      }
    }
  }
  // The nodes, without recursion, so that no nesting can exhaust the stack
  // here; the gathering below recurses, so the depth is bounded.
  std::vector<std::pair<const aiNode*, int>> pending{{scene.mRootNode, 0}};
  while (!pending.empty()) {
    const auto [node, depth] = pending.back();
    pending.pop_back();
    if (!node) return "a node is missing";
    if (depth > kMaxNesting) return "its nodes are nested too deep";
    if ((node->mNumMeshes > 0 && !node->mMeshes) || (node->mNumChildren > 0 && !node->mChildren))
      return "a node is missing its meshes or children";
    for (unsigned m = 0; m < node->mNumMeshes; ++m) {
      if (node->mMeshes[m] >= scene.mNumMeshes) return "a node names a mesh that is not there";
    }
    for (unsigned c = 0; c < node->mNumChildren; ++c)
      pending.emplace_back(node->mChildren[c], depth + 1);
  }
  return nullptr;
}

// Adds the triangles of the node and its children, each vertex carried by the
// transforms of every node above it.
void collect(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parent, Mesh& out) {
  const aiMatrix4x4 transform = parent * node.mTransformation;
  for (unsigned m = 0; m < node.mNumMeshes; ++m) {
    const aiMesh& mesh = *scene.mMeshes[node.mMeshes[m]];
    const std::size_t base = out.positions.size() / 3;
    for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
      const aiVector3D p = transform * mesh.mVertices[v];
      out.positions.insert(out.positions.end(), {p.x, -p.y, -p.z});
    }
    // Points and lines have no place in a triangle table.
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
      const aiFace& face = mesh.mFaces[f];
      if (face.mNumIndices != 3) continue;
      for (unsigned k = 0; k < 3; ++k)
        out.indices.push_back(static_cast<unsigned>(base + face.mIndices[k]));
    }
  }
  for (unsigned c = 0; c < node.mNumChildren; ++c)
    collect(scene, *node.mChildren[c], transform, out);
}

// Leaves out the triangles with a corner at infinity or not a number, which
// no placement could put on screen; how many went.
std::size_t drop_unplaceable(Mesh& mesh) {
  const auto finite = [&](unsigned i) {
    return std::isfinite(mesh.positions[3 * std::size_t{i}]) &&
           std::isfinite(mesh.positions[3 * std::size_t{i} + 1]) &&
           std::isfinite(mesh.positions[3 * std::size_t{i} + 2]);
  };
  std::size_t kept = 0;
  for (std::size_t t = 0; t < mesh.indices.size(); t += 3) {
    if (!finite(mesh.indices[t]) || !finite(mesh.indices[t + 1]) || !finite(mesh.indices[t + 2]))
      continue;
    std::copy_n(mesh.indices.begin() + static_cast<std::ptrdiff_t>(t), 3,
                mesh.indices.begin() + static_cast<std::ptrdiff_t>(kept));
    kept += 3;
  }
  const std::size_t dropped = (mesh.indices.size() - kept) / 3;
  mesh.indices.resize(kept);
  return dropped;
}

// Six times the volume the faces enclose, positive when they are wound
// outward in .atl axes. Taken about the centre of the bounding box (the
// origin by now), so that a closed mesh's sum has no large terms cancelling.
double signed_volume(const Mesh& mesh) {
  double sum = 0;
  const auto p = [&](unsigned i, int k) { return double{mesh.positions[3 * std::size_t{i} + k]}; };
  for (std::size_t t = 0; t < mesh.indices.size(); t += 3) {
    const unsigned a = mesh.indices[t], b = mesh.indices[t + 1], c = mesh.indices[t + 2];
    sum += p(a, 0) * (p(b, 1) * p(c, 2) - p(b, 2) * p(c, 1)) -
           p(a, 1) * (p(b, 0) * p(c, 2) - p(b, 2) * p(c, 0)) +
           p(a, 2) * (p(b, 0) * p(c, 1) - p(b, 1) * p(c, 0));
  }
  return sum;
}

void flip(Mesh& mesh) {
  for (std::size_t t = 0; t < mesh.indices.size(); t += 3)
    std::swap(mesh.indices[t + 1], mesh.indices[t + 2]);
}

// Centres the bounding box on the origin and scales its largest extent to
// `span` file units. False when the model has no extent at all.
bool place(Mesh& mesh, double span) {
  double lo[3], hi[3];
  for (int k = 0; k < 3; ++k) {
    lo[k] = std::numeric_limits<double>::infinity();
    hi[k] = -lo[k];
  }
  // Only the corners of triangles count: a stray unused vertex must not move
  // the model off centre.
  for (unsigned i : mesh.indices) {
    for (int k = 0; k < 3; ++k) {
      const double v = mesh.positions[3 * std::size_t{i} + k];
      lo[k] = std::min(lo[k], v);
      hi[k] = std::max(hi[k], v);
    }
  }
  const double extent = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
  if (!(extent > 0) || !std::isfinite(extent)) return false;
  const double scale = span / extent;
  for (std::size_t v = 0; v < mesh.positions.size(); v += 3) {
    for (int k = 0; k < 3; ++k) {
      const double centre = (lo[k] + hi[k]) / 2;
      mesh.positions[v + k] = static_cast<float>((mesh.positions[v + k] - centre) * scale);
    }
  }
  return true;
}

// Reduces the mesh to at most `target` triangles by collapsing edges; where
// the shape's topology stops that short, by clustering vertices. Triangles
// are never simply dropped from the end.
bool simplify(Mesh& mesh, std::size_t target) {
  const std::size_t vertex_count = mesh.positions.size() / 3;
  std::vector<unsigned> result(mesh.indices.size());
  // An error bound of 1 is the whole model: only the triangle count limits.
  std::size_t n = meshopt_simplify(result.data(), mesh.indices.data(), mesh.indices.size(),
                                   mesh.positions.data(), vertex_count, 3 * sizeof(float),
                                   target * 3, 1.0f, 0, nullptr);
  if (n > target * 3)
    std::fprintf(stderr, "atl-import: edge collapse stopped at %zu triangles; clustering\n", n / 3);
  // Clustering may land a little above its aim; aim lower until it fits.
  for (std::size_t aim = target; n > target * 3 && aim > 0; aim = aim * 9 / 10) {
    n = meshopt_simplifySloppy(result.data(), mesh.indices.data(), mesh.indices.size(),
                               mesh.positions.data(), vertex_count, 3 * sizeof(float), aim * 3,
                               1.0f, nullptr);
  }
  if (n > target * 3 || n == 0) return false;
  result.resize(n);
  mesh.indices = std::move(result);
  return true;
}

// One coordinate in fixed notation: four decimals are a ten-thousandth of a
// file unit, far finer than a pixel; a rounded zero is written without sign.
void append_number(std::string& text, float value) {
  const double rounded = std::round(double{value} * 10000) / 10000;
  char line[48];
  const int length = std::snprintf(line, sizeof line, "%.4f\r\n", rounded == 0 ? 0.0 : rounded);
  text.append(line, static_cast<std::size_t>(length));
}

// The file appears whole or not at all (see OutputFile): a full disk or a
// failed write never leaves half a model where an older one stood.
bool write_atl(const Mesh& mesh, const Options& o, std::size_t source_triangles) {
  const std::string source = std::filesystem::path(o.input).filename().string();
  std::string text = "# " + source + ", " + std::to_string(mesh.triangles()) + " triangle" +
                     (mesh.triangles() == 1 ? "" : "s") + " (converted by atl-import";
  if (source_triangles != mesh.triangles()) text += " from " + std::to_string(source_triangles);
  text += ")\r\n# one coordinate per line: x, y, z of three vertices per triangle\r\n";
  for (unsigned i : mesh.indices) {
    for (int k = 0; k < 3; ++k) append_number(text, mesh.positions[3 * std::size_t{i} + k]);
  }
  try {
    runtime::OutputFile out(o.output);
    out.write(text);
    out.commit();
  } catch (const std::runtime_error& e) {
    std::fprintf(stderr, "atl-import: %s\n", e.what());
    return false;
  }
  return true;
}

// Assimp turns an allocation that failed into the error text "std::bad_alloc".
const char* reading_fault(const Assimp::Importer& importer) {
  const char* fault = importer.GetErrorString();
  if (std::strcmp(fault, "std::bad_alloc") != 0) return fault;
  return "it asks for more memory than a file of its size can need";
}

int convert(const Options& o) {
  const char* in = o.input.c_str();
  if (!std::ifstream(o.input, std::ios::binary) || std::filesystem::is_directory(o.input)) {
    std::fprintf(stderr, "atl-import: cannot read %s\n", in);
    return 1;
  }
  Assimp::Importer importer;
  std::error_code size_error;
  const std::uintmax_t bytes = std::filesystem::file_size(o.input, size_error);
  const bool large = !size_error && bytes >= kLargeFile;
  const std::uintmax_t unbounded = std::numeric_limits<std::uintmax_t>::max();
  if (!size_error && bytes <= (unbounded - kBaseMemory) / kMemoryPerFileByte) {
    runtime::limit_further_memory(kBaseMemory + kMemoryPerFileByte * bytes);
  }
  if (large) importer.SetProgressHandler(new ReadProgress);  // the importer deletes it
  const std::string extension = std::filesystem::path(o.input).extension().string();
  if (extension.empty() || !importer.IsExtensionSupported(extension)) {
    std::fprintf(stderr, "atl-import: %s: unknown model format \"%s\"\n", in, extension.c_str());
    return 1;
  }
  const aiScene* scene = importer.ReadFile(o.input, 0);
  if (!scene || !scene->mRootNode) {
    std::fprintf(stderr, "atl-import: %s: cannot be read as a model: %s\n", in,
                 reading_fault(importer));
    return 1;
  }
  if (const char* fault = damage(*scene)) {
    std::fprintf(stderr, "atl-import: %s: cannot be read as a model: %s\n", in, fault);
    return 1;
  }
  scene = importer.ApplyPostProcessing(aiProcess_Triangulate | aiProcess_JoinIdenticalVertices |
                                       aiProcess_SortByPType);
  if (!scene || !scene->mRootNode) {
    std::fprintf(stderr, "atl-import: %s: cannot be read as a model: %s\n", in,
                 reading_fault(importer));
    return 1;
  }
  Mesh mesh;
  collect(*scene, *scene->mRootNode, aiMatrix4x4(), mesh);
  const std::size_t source_triangles = mesh.triangles();
  if (source_triangles == 0) {
    std::fprintf(stderr, "atl-import: %s holds no triangles\n", in);
    return 1;
  }
  if (large) std::fprintf(stderr, "atl-import: read %zu triangles\n", source_triangles);
  if (const std::size_t dropped = drop_unplaceable(mesh)) {
    std::fprintf(stderr, "atl-import: left out %zu triangle%s with a corner at infinity or not a "
                 "number\n", dropped, dropped == 1 ? "" : "s");
    if (mesh.triangles() == 0) {
      std::fprintf(stderr, "atl-import: %s holds no triangles that can be drawn\n", in);
      return 1;
    }
  }
  // The loader divides by 3: `size` pixels are three times as many file units.
  if (!place(mesh, 3 * o.size)) {
    std::fprintf(stderr, "atl-import: %s: the triangles have no extent\n", in);
    return 1;
  }
  if (o.winding == Winding::flip || (o.winding == Winding::automatic && signed_volume(mesh) < 0))
    flip(mesh);
  if (mesh.triangles() > static_cast<std::size_t>(o.max_triangles)) {
    std::fprintf(stderr, "atl-import: simplifying %zu triangles to at most %d\n", mesh.triangles(),
                 o.max_triangles);
    if (!simplify(mesh, static_cast<std::size_t>(o.max_triangles))) {
      std::fprintf(stderr, "atl-import: %s cannot be simplified to %d triangles\n", in,
                   o.max_triangles);
      return 1;
    }
  }
  if (!write_atl(mesh, o, source_triangles)) return 1;
  std::fprintf(stderr, "atl-import: wrote %s, %zu triangle%s\n", o.output.c_str(),
               mesh.triangles(), mesh.triangles() == 1 ? "" : "s");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  runtime::remove_temporary_files_on_signals();
  bool help = false;
  const std::optional<Options> options = parse_arguments(argc, argv, help);
  if (help) {
    usage(stdout);
    return 0;
  }
  if (!options) return 2;
  try {
    return convert(*options);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "atl-import: %s: not enough memory to convert it\n",
                 options->input.c_str());
    return 1;
  }
}

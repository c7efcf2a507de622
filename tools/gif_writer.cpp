#include "tools/gif_writer.h"

#include <gif_lib.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace tools {

bool writes_gif_files() { return true; }

namespace {

using gdi::COLORREF;

struct Weighted {
  std::array<int, 3> rgb;
  std::uint64_t count;
  COLORREF colour() const { return gdi::RGB(rgb[0], rgb[1], rgb[2]); }
};

Weighted weighted(COLORREF colour, std::uint64_t count) {
  return {{static_cast<int>(gdi::GetRValue(colour)), static_cast<int>(gdi::GetGValue(colour)),
           static_cast<int>(gdi::GetBValue(colour))},
          count};
}

// A run of the colour list for the median cut, with its widest channel.
struct Box {
  std::size_t begin, end;
  int channel = 0;
  int range = 0;
};

Box measure(const std::vector<Weighted>& colours, std::size_t begin, std::size_t end) {
  Box box{begin, end};
  for (int k = 0; k < 3; ++k) {
    int low = 255, high = 0;
    for (std::size_t i = begin; i < end; ++i) {
      low = std::min(low, colours[i].rgb[k]);
      high = std::max(high, colours[i].rgb[k]);
    }
    if (high - low > box.range) {
      box.range = high - low;
      box.channel = k;
    }
  }
  return box;
}

// The pixel-weighted mean of each group, rounded; a group without pixels
// keeps its old colour.
void move_to_means(std::vector<COLORREF>& palette, const std::vector<Weighted>& colours,
                   const std::vector<std::size_t>& group) {
  std::vector<std::array<std::uint64_t, 4>> sums(palette.size(), {0, 0, 0, 0});
  for (std::size_t i = 0; i < colours.size(); ++i) {
    auto& sum = sums[group[i]];
    for (int k = 0; k < 3; ++k)
      sum[k] += colours[i].count * static_cast<std::uint64_t>(colours[i].rgb[k]);
    sum[3] += colours[i].count;
  }
  for (std::size_t p = 0; p < palette.size(); ++p) {
    const auto& sum = sums[p];
    if (sum[3] == 0) continue;
    const auto mean = [&](int k) { return static_cast<int>((sum[k] + sum[3] / 2) / sum[3]); };
    palette[p] = gdi::RGB(mean(0), mean(1), mean(2));
  }
}

}  // namespace

std::size_t nearest_colour(const std::vector<COLORREF>& palette, COLORREF colour) {
  const Weighted c = weighted(colour, 0);
  std::size_t best = 0;
  long best_distance = -1;
  for (std::size_t p = 0; p < palette.size(); ++p) {
    const Weighted q = weighted(palette[p], 0);
    long distance = 0;
    for (int k = 0; k < 3; ++k) distance += long{c.rgb[k] - q.rgb[k]} * (c.rgb[k] - q.rgb[k]);
    if (best_distance < 0 || distance < best_distance) {
      best = p;
      best_distance = distance;
    }
  }
  return best;
}

std::vector<COLORREF> choose_palette(const std::unordered_map<COLORREF, std::uint64_t>& histogram,
                                     std::size_t max_colours) {
  std::vector<Weighted> colours;
  colours.reserve(histogram.size());
  for (const auto& [colour, count] : histogram) colours.push_back(weighted(colour, count));
  // Sorted first, so that the cut does not depend on the map's order.
  std::sort(colours.begin(), colours.end(),
            [](const Weighted& a, const Weighted& b) { return a.colour() < b.colour(); });
  std::vector<COLORREF> palette;
  if (colours.size() <= max_colours) {
    for (const Weighted& c : colours) palette.push_back(c.colour());
    return palette;
  }
  if (max_colours == 0) return palette;

  // Median cut: the box with the widest channel is split where half of its
  // pixels lie on either side, so a colour that fills much of the picture
  // (the background, a large face) soon has a box of its own.
  std::vector<Box> boxes{measure(colours, 0, colours.size())};
  while (boxes.size() < max_colours) {
    const auto widest = std::max_element(
        boxes.begin(), boxes.end(), [](const Box& a, const Box& b) { return a.range < b.range; });
    if (widest->range == 0) break;
    const Box box = *widest;
    const int k = box.channel;
    std::sort(colours.begin() + static_cast<std::ptrdiff_t>(box.begin),
              colours.begin() + static_cast<std::ptrdiff_t>(box.end),
              [k](const Weighted& a, const Weighted& b) {
                return a.rgb[k] != b.rgb[k] ? a.rgb[k] < b.rgb[k] : a.colour() < b.colour();
              });
    std::uint64_t total = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) total += colours[i].count;
    std::size_t split = box.begin;
    for (std::uint64_t below = 0;
         split + 1 < box.end && (below + colours[split].count) * 2 <= total; ++split) {
      below += colours[split].count;
    }
    split = std::max(split, box.begin + 1);  // both halves keep a colour
    *widest = measure(colours, box.begin, split);
    boxes.push_back(measure(colours, split, box.end));
  }

  std::vector<std::size_t> group(colours.size());
  for (std::size_t b = 0; b < boxes.size(); ++b) {
    for (std::size_t i = boxes[b].begin; i < boxes[b].end; ++i) group[i] = b;
  }
  palette.resize(boxes.size());
  move_to_means(palette, colours, group);
  // A few rounds of k-means: each colour goes to its nearest entry, which the
  // boxes' straight cuts do not always give, and the entries follow.
  for (int round = 0; round < 3; ++round) {
    for (std::size_t i = 0; i < colours.size(); ++i)
      group[i] = nearest_colour(palette, colours[i].colour());
    move_to_means(palette, colours, group);
  }
  std::sort(palette.begin(), palette.end());
  palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
  return palette;
}

GifAnimation::GifAnimation(const std::string& path, int delay_cs)
    : path_(path), delay_cs_(delay_cs), out_(std::make_unique<runtime::OutputFile>(path)) {}

GifAnimation::~GifAnimation() = default;

// giflib hands the encoded bytes here; an error cannot travel through its C
// code, so it is kept and the write reported short.
int GifAnimation::put_bytes(GifFileType* gif, const GifByteType* bytes, int size) {
  auto* self = static_cast<GifAnimation*>(gif->UserData);
  try {
    self->out_->write(std::string_view(reinterpret_cast<const char*>(bytes),
                                       static_cast<std::size_t>(size)));
    return size;
  } catch (const std::runtime_error& e) {
    if (self->write_error_.empty()) self->write_error_ = e.what();
    return 0;
  }
}

void GifAnimation::add_frame(const gdi::Surface& frame) {
  if (frames_.empty()) {
    width_ = frame.width();
    height_ = frame.height();
  } else if (frame.width() != width_ || frame.height() != height_) {
    throw std::runtime_error("cannot write '" + path_ + "': frame " +
                             std::to_string(frames_.size() + 1) + " is not the size of the first");
  }
  const auto& pixels = frame.pixels();
  // Counted in runs: the pictures are mostly long runs of one colour.
  for (std::size_t i = 0; i < pixels.size();) {
    std::size_t j = i + 1;
    while (j < pixels.size() && pixels[j] == pixels[i]) ++j;
    histogram_[pixels[i]] += j - i;
    i = j;
  }
  const uLong size = static_cast<uLong>(pixels.size() * sizeof pixels[0]);
  std::vector<unsigned char> packed(compressBound(size));
  uLongf packed_size = static_cast<uLongf>(packed.size());
  if (compress2(packed.data(), &packed_size, reinterpret_cast<const Bytef*>(pixels.data()), size,
                1) != Z_OK) {
    throw std::runtime_error("cannot write '" + path_ + "': out of memory keeping the frames");
  }
  packed.resize(packed_size);
  packed.shrink_to_fit();
  frames_.push_back(std::move(packed));
}

void GifAnimation::finish() {
  if (!out_) throw std::runtime_error("cannot write '" + path_ + "': it is already written");
  GifFileType* gif = nullptr;
  const auto fail = [&](const std::string& why) {
    if (gif) EGifCloseFile(gif, nullptr);
    // Dropping the output removes what was written of it.
    out_.reset();
    throw std::runtime_error(write_error_.empty() ? "cannot write '" + path_ + "': " + why
                                                  : write_error_);
  };
  if (frames_.empty()) fail("no frame ended, so there is nothing to show");
  int error = 0;
  gif = EGifOpen(this, &GifAnimation::put_bytes, &error);
  if (!gif) fail(GifErrorString(error));
  const auto check = [&](int result) {
    if (result != GIF_OK) fail(GifErrorString(gif->Error));
  };

  // No dithering: the pictures are flat faces and the texture's texels, and
  // the views turn every frame; a dither pattern would crawl over them from
  // frame to frame and stop LZW from packing the long runs.
  const std::vector<COLORREF> palette = choose_palette(histogram_, 256);
  std::unordered_map<COLORREF, GifPixelType> index;
  for (const auto& [colour, count] : histogram_) {
    index[colour] = static_cast<GifPixelType>(nearest_colour(palette, colour));
  }

  // The table holds a power of two entries, at least two.
  const int bits = std::max(1, GifBitSize(static_cast<int>(palette.size())));
  ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
  if (!map) fail("out of memory");
  for (int i = 0; i < map->ColorCount; ++i) {
    const COLORREF c =
        static_cast<std::size_t>(i) < palette.size() ? palette[static_cast<std::size_t>(i)] : 0;
    map->Colors[i] = {static_cast<GifByteType>(gdi::GetRValue(c)),
                      static_cast<GifByteType>(gdi::GetGValue(c)),
                      static_cast<GifByteType>(gdi::GetBValue(c))};
  }
  EGifSetGifVersion(gif, true);
  const int described = EGifPutScreenDesc(gif, width_, height_, 8, 0, map);
  GifFreeMapObject(map);
  check(described);

  // Loop for ever: the NETSCAPE2.0 block with a count of 0, which browsers
  // and viewers read as "repeat without end".
  static const GifByteType kApplication[] = "NETSCAPE2.0";
  static const GifByteType kLoop[] = {1, 0, 0};
  check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE));
  check(EGifPutExtensionBlock(gif, 11, kApplication));
  check(EGifPutExtensionBlock(gif, 3, kLoop));
  check(EGifPutExtensionTrailer(gif));

  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.UserInputFlag = false;
  control.DelayTime = delay_cs_;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType control_bytes[4];
  const std::size_t control_size = EGifGCBToExtension(&control, control_bytes);

  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width_) *
                                    static_cast<std::size_t>(height_));
  std::vector<GifPixelType> line(static_cast<std::size_t>(width_));
  for (const auto& packed : frames_) {
    uLongf size = static_cast<uLongf>(pixels.size() * sizeof pixels[0]);
    if (uncompress(reinterpret_cast<Bytef*>(pixels.data()), &size, packed.data(),
                   static_cast<uLong>(packed.size())) != Z_OK) {
      fail("a kept frame is damaged");
    }
    check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(control_size),
                           control_bytes));
    check(EGifPutImageDesc(gif, 0, 0, width_, height_, false, nullptr));
    for (std::size_t y = 0; y < static_cast<std::size_t>(height_); ++y) {
      for (std::size_t x = 0; x < line.size(); ++x) line[x] = index.at(pixels[y * line.size() + x]);
      check(EGifPutLine(gif, line.data(), width_));
    }
  }
  const int closed = EGifCloseFile(gif, &error);
  gif = nullptr;
  if (closed != GIF_OK) fail(GifErrorString(error));
  try {
    out_->commit();
  } catch (const std::runtime_error&) {
    out_.reset();
    throw;
  }
  out_.reset();
}

}  // namespace tools

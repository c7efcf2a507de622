#include "b3d/shade_factor.h"

#include <cmath>

namespace b3d {

float ShadeFactor(const Corner& A, const Corner& B, const Corner& C, ShadeRule rule) {
  // Every product and difference in single precision, as the factor has
  // always been computed.
  const float nx = (A.y - B.y) * (B.z - C.z) - (B.y - C.y) * (A.z - B.z);
  if (rule == ShadeRule::None) return 0;
  if (rule == ShadeRule::SignOfNx) return nx == 0 ? 0.0f : nx / std::fabs(nx);

  const float ny = (B.x - C.x) * (A.z - B.z) - (B.z - C.z) * (A.x - B.x);
  const float nz = (A.x - B.x) * (B.y - C.y) - (A.y - B.y) * (B.x - C.x);
  const float squares = nx * nx + ny * ny + nz * nz;
  float length = static_cast<float>(std::sqrt(static_cast<double>(squares)));
  // A degenerate face has no normal; dividing by 1 leaves the factor 0.
  if (length == 0) length = 1;
  const float cosine = nx / length;
  if (rule == ShadeRule::Cosine255) return std::fabs(cosine) * 255;
  return cosine * cosine;
}

}  // namespace b3d

#pragma once
// The brightness of a face under a light that falls along the screen's
// horizontal, from either side.

#include "b3d/variants.h"

namespace b3d {

// One corner of a triangle in view coordinates.
struct Corner {
  float x = 0;
  float y = 0;
  float z = 0;
};

// How much the face A, B, C turns towards the x axis, by the rule given:
// CosineSquared, the squared cosine between the normal (A - B) x (B - C) and
// the x axis, 0 to 1; Cosine255, the cosine's magnitude times 255; SignOfNx,
// +1 or -1 by the sign of the normal's x (0 when it is 0). A face lying in
// the screen plane, or with its corners on one line, gives 0 by every rule.
float ShadeFactor(const Corner& A, const Corner& B, const Corner& C,
                  ShadeRule rule = ShadeRule::CosineSquared);

}  // namespace b3d

#pragma once
// The brightness of a face under a light that falls along the screen's
// horizontal, from either side.

namespace b3d {

// One corner of a triangle in view coordinates.
struct Corner {
  float x = 0;
  float y = 0;
  float z = 0;
};

// The squared cosine between the face normal (A - B) x (B - C) and the x
// axis: 1 for a face turned to the side, 0 for one lying in the screen plane
// or with its corners on one line. The order of the corners does not matter.
float ShadeFactor(const Corner& A, const Corner& B, const Corner& C);

}  // namespace b3d

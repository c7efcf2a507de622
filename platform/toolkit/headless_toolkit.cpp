#include "platform/toolkit/headless_toolkit.h"

namespace toolkit {

void HeadlessToolkit::yield(YieldPoint point) {
  ++yields_;
  if (at_yield) at_yield(yields_);
  if (point == YieldPoint::EndOfFrame) {
    ++frames_ended_;
    if (at_frame_end) at_frame_end(frames_ended_);
  }
  // Events posted by the events themselves run in this yield too, as the
  // pending events of a real toolkit would.
  while (!posted_.empty()) {
    auto event = std::move(posted_.front());
    posted_.pop_front();
    event();
  }
}

}  // namespace toolkit

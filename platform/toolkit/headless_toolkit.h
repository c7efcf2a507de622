#pragma once
// The toolkit without a display: events are scripted, time is virtual.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit/toolkit.h"

namespace toolkit {

class HeadlessToolkit : public Toolkit {
 public:
  // Runs at the yield that ends frame `frame` (1, 2, ...), before the posted events.
  std::function<void(long frame)> at_frame_end;
  // Runs at every yield, counted from 1, before at_frame_end.
  std::function<void(long yield)> at_yield;
  // Queues an event for the next yield of any kind.
  void post(std::function<void()> event) { posted_.push_back(std::move(event)); }

  void yield(YieldPoint point) override;
  void sleep_ms(int milliseconds) override { slept_ms_ += milliseconds; }
  void show_message(const std::string& text) override { messages_.push_back(text); }

  long frames_ended() const { return frames_ended_; }
  long yields() const { return yields_; }
  long long slept_ms() const { return slept_ms_; }
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  std::deque<std::function<void()>> posted_;
  std::vector<std::string> messages_;
  long frames_ended_ = 0;
  long yields_ = 0;
  long long slept_ms_ = 0;
};

}  // namespace toolkit

// The helper of a build without threads (the browser's): the caller takes
// every piece itself. The pieces and bands are the same as with two threads,
// and each band's triangles are drawn in table order either way, so the
// pictures are those of the desktop build.

#include "platform/runtime/helper_thread.h"

namespace runtime {

bool HelperThread::available() { return false; }

HelperThread::~HelperThread() = default;

void HelperThread::share(const std::function<void()>& job) { job(); }

}  // namespace runtime

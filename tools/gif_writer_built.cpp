#include "tools/gif_writer.h"

namespace tools {

bool gif_writer_built() { return true; }

}  // namespace tools

#include "editions/editions.h"

namespace editions {

const EditionConfig* find_edition(long number) {
  using Edition = const EditionConfig& (*)();
  static constexpr Edition kEditions[] = {edition1, edition2, edition3, edition4, edition5,
                                          edition6, edition7, edition8, edition9, edition10};
  if (number < 1 || number > 10) return nullptr;
  return &kEditions[number - 1]();
}

}  // namespace editions

// The program of the web page: all ten editions in one WebAssembly build,
// the one to run chosen by the page's address (?edition=N, 8 by default).
// The model list shows /models, the page's virtual folder, which holds the
// sample models and whatever the user adds.

#include <cstdio>
#include <string>

#include "app/form1.h"
#include "editions/editions.h"
#include "platform/toolkit/web_toolkit.h"

int main() {
  const int asked = toolkit::requested_edition();
  const editions::EditionConfig* edition = editions::find_edition(asked == 0 ? 8 : asked);
  if (edition == nullptr) {
    std::printf("there is no edition %d; showing edition 8\n", asked);
    edition = editions::find_edition(8);
  }
  toolkit::WebToolkit toolkit{std::string(edition->program)};
  app::Form1 form(*edition, toolkit, "/models");
  return toolkit.run(form.form, form.controls(), form.lines);
}

#pragma once

#include "tools/jetwriter/jetformat.h"

namespace Jet {

// Fills page 0, the database definition page. `page` points at a blank page.
void writeHeaderPage(char *page, const Format::Traits &traits);

} // namespace Jet

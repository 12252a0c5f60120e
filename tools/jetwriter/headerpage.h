#pragma once

namespace Jet {

// Fills page 0, the database definition page, of a Jet 4 file. `page` points at a blank page.
void writeHeaderPage(char *page);

} // namespace Jet

#pragma once

class QAbstractItemView;

// For benchmarks of the start: when the environment variable KB_STARTUP_PROBE is set, each
// step of the start is printed to standard error with the milliseconds since the program's
// main() began and the peak memory so far ("probe 123.4 catalogue loaded (peak 51234 KiB)"). With
// KB_STARTUP_PROBE=exit the program ends as soon as the list has been painted with rows. Without
// the variable nothing happens.
namespace StartupProbe {

void mark(const char *step);
// Marks "list painted" at the first paint of the view that shows rows.
void watchFirstPaint(QAbstractItemView &view);

} // namespace StartupProbe

#pragma once

// While one exists, the process's standard output and error go to /dev/null. Libraries that
// print their own diagnostics (libmdb on damaged files) must not reach the user's terminal;
// their failures reach the user as errors instead. Nesting is allowed; one thread only.
class StdioSilencer
{
public:
    StdioSilencer();
    ~StdioSilencer();
    StdioSilencer(const StdioSilencer &) = delete;
    StdioSilencer &operator=(const StdioSilencer &) = delete;
};

// Linked into every test program: the environment the tests expect, whatever the machine has.

#include <cstdlib>

namespace {

// No print server: the printing tests expect a machine without printers, so that every print
// goes to a PDF file, even where this machine has print queues.
const bool noPrintServer = [] {
    return setenv("CUPS_SERVER", "/nonexistent/focalines-tests/cups.sock", 1) == 0;
}();

} // namespace

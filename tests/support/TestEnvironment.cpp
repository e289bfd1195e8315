// Linked into every test program: the environment the tests expect, whatever the machine has.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// No print server: the printing tests expect a machine without printers, so that every print
// goes to a PDF file, even where this machine has print queues.
const bool noPrintServer = [] {
    return setenv("CUPS_SERVER", "/nonexistent/focalines-tests/cups.sock", 1) == 0;
}();

// A configuration folder of each test's own, removed when it ends: Qt's file dialogs remember
// their last folder and history in the user's configuration, so tests running side by side would
// otherwise share them, and a folder one test left there would be where the next dialog opens.
const bool ownConfigurationFolder = [] {
    static std::string folder =
        (std::filesystem::temp_directory_path() / "focalines-test-config-XXXXXX").string();
    if (!mkdtemp(folder.data())) return false;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
    return setenv("XDG_CONFIG_HOME", folder.c_str(), 1) == 0;
}();

} // namespace

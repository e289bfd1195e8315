// Fontconfig keeps its configuration and caches until the process ends, and Qt never releases
// them: in a sanitizer build the leak checker would fail every program that draws text. The
// leak checker reads this hook at exit; other builds never call it.
extern "C" const char *__lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

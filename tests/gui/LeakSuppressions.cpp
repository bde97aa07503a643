// Fontconfig and Qt keep process-lifetime caches that LeakSanitizer reports when
// the program ends. The same list as tests/lsan.supp, built into this program so
// that a plain `ctest` in a sanitizer build applies it too.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig\n"
           "leak:libQt6Gui\n"
           "leak:libQt6Core\n"
           "leak:libdbus\n";
}

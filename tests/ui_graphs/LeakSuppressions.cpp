// Fontconfig keeps caches for the life of the process and frees some of
// them never; LeakSanitizer would report them at exit of every GUI test.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

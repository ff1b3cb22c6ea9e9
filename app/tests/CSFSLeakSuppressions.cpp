// The leak checker of sanitizer builds reads these rules at start-up. The
// system's fontconfig keeps a small block from Qt's first font lookup for the
// life of the process (it is freed by FcFini, which Qt never calls); the
// report's stack ends inside the library, so only the library can be named.
// Nothing of ours is hidden by this rule.
extern "C" const char* __lsan_default_suppressions();

extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

// Linked into every executable of a sanitizer build, so that build steps,
// tests and runs by hand all behave alike without settings in the environment.

extern "C" const char* __lsan_default_suppressions()
{
    // Qt's offscreen platform plug-in never frees its screen at exit.
    return "leak:libqoffscreen.so\n";
}

extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1";
}

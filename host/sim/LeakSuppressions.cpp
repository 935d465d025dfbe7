// Leak checking in sanitizer builds: memory that system libraries keep until
// exit by design or by their own fault, not flyer-sim's or the plug-in's.
// LeakSanitizer asks for this list; other builds never call it.

extern "C" const char *__lsan_default_suppressions()
{
    return
        // Patterns cached by fontconfig for cairo's font faces (contact sheets).
        "leak:libfontconfig.so\n"
        // Mesa's GLX software driver, behind the preview window.
        "leak:swrast_dri.so\n";
}

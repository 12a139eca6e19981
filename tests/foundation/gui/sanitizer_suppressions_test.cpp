// Leak checking under AddressSanitizer: fontconfig keeps the font patterns Qt asks it for
// until the process ends and never frees them; those are not leaks of this program.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

// Default sanitizer options for the sanitized build, so that every executable (the program, the
// tests, the soak) behaves the same without environment variables. A sanitizer report exits with
// status 66, which no part of the program uses (it exits with 1), so harnesses can tell them apart.

#ifndef LOOPLINE_LSAN_SUPPRESSIONS
#error "LOOPLINE_LSAN_SUPPRESSIONS must name the suppression file"
#endif

extern "C" {

const char* __asan_default_options() {
    return "exitcode=66:detect_leaks=1:abort_on_error=0:strict_string_checks=1";
}

const char* __lsan_default_options() {
    return "suppressions=" LOOPLINE_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1:exitcode=66";
}

}

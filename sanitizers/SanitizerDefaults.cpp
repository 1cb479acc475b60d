// Default sanitizer options for the sanitized build, so that every executable (the program, the
// tests, the soak) behaves the same without environment variables. A sanitizer report exits with
// status 66, which no part of the program uses (it exits with 1), so harnesses can tell them apart.

#ifndef LOOPLINE_LSAN_SUPPRESSIONS
#error "LOOPLINE_LSAN_SUPPRESSIONS must name the suppression file"
#endif

extern "C" {

// intercept_tls_get_addr=0: with Debian 12's Mesa 22.3.6-1+deb12u2 the runtime's record of
// dynamic TLS blocks holds a bogus range after a GL context is used, and the leak check's tracer
// crashes reading it ("Tracer caught signal 11"). Static TLS, where Mesa keeps its current
// context, is still scanned, and our own leaks are still reported (see tests/sanitizers/).
const char* __asan_default_options() {
    return "exitcode=66:detect_leaks=1:abort_on_error=0:strict_string_checks=1:"
           "intercept_tls_get_addr=0";
}

const char* __lsan_default_options() {
    return "suppressions=" LOOPLINE_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1:exitcode=66";
}

}

// The sanitizer settings built into the program when it is built with the sanitizers.

/// AddressSanitizer: the tests preload their failure library ahead of the sanitizer
/// runtime, which is harmless here, so the runtime is told not to refuse to start.
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
  return "verify_asan_link_order=0";
}

/// UndefinedBehaviorSanitizer: a finding shows where it happened.
extern "C" __attribute__((visibility("default"), used)) const char* __ubsan_default_options() {
  return "print_stacktrace=1";
}

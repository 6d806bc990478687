// Finding where a run of bytes that a quotation admits ends, many bytes at a time.
#pragma once

#include <cstddef>

/// How many of the bytes in [from, end) the record reader admits inside a quotation
/// before the first one it does not. Uses the processor's wide registers where it can.
std::size_t admitted_run(const unsigned char* from, const unsigned char* end);
/// The same, one byte at a time: what admitted_run does where wide registers are missing.
std::size_t admitted_run_bytewise(const unsigned char* from, const unsigned char* end);
#if defined(__x86_64__) && defined(__GNUC__)
/// Whether the processor has the 32-byte registers (AVX2) that the wide scans use; asked
/// once, the first time.
bool has_wide_registers();
#endif

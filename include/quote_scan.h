// Finding where a run of bytes that a quotation admits ends, many bytes at a time.
#pragma once

#include <cstddef>

/// How many of the bytes in [from, end) the record reader admits inside a quotation
/// before the first one it does not. Uses the processor's wide registers where it can.
std::size_t admitted_run(const unsigned char* from, const unsigned char* end);
/// The same, one byte at a time: what admitted_run does where wide registers are missing.
std::size_t admitted_run_bytewise(const unsigned char* from, const unsigned char* end);

// Bounded copies into the fixed text buffers that the whole installer uses.
// Every copy into a fixed buffer goes through these: they never write past
// `capacity` bytes and always leave the buffer NUL-terminated (capacity > 0).
#pragma once
#include <cstddef>

// Copies src; returns false when it had to be cut to fit.
bool CopyText(char* dst, size_t capacity, const char* src);
// Copies at most srcLength bytes of src, stopping early at a NUL byte: for
// text that is not known to be terminated (registry data, file records).
bool CopyTextN(char* dst, size_t capacity, const char* src, size_t srcLength);
// Appends src to the text already in dst; returns false when it was cut.
bool AppendText(char* dst, size_t capacity, const char* src);

// Included first by every generated per-level kernel file.
#pragma once

#if defined(__GNUC__) && !defined(__clang__)
// GCC 12's AVX-512 headers build "undefined" vectors from themselves (in their
// 256-to-512-bit inserts, among others), which -Wmaybe-uninitialized then
// reports at every use; instrumented builds report the same in the float lanes.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The vector instructions the scans use. SSE2 is part of every x86-64
// processor; AVX2 (nearly every one since 2013) tests twice as many bytes at
// a time. Functions between FILSOK_AVX2_BEGIN and FILSOK_AVX2_END are
// compiled for AVX2 and called only when HasAvx2(), so the program still
// runs on a processor without it. FILSOK_SEARCH_NO_AVX2 set in the
// environment keeps to SSE2 as such a processor does, so that the tests
// can run those paths too.
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define FILSOK_SEARCH_SSE2 1
#endif

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#include <cstdlib>
#define FILSOK_SEARCH_AVX2 1
#if defined(__clang__)
#define FILSOK_AVX2_BEGIN _Pragma("clang attribute push(__attribute__((target(\"avx2\"))), apply_to = function)")
#define FILSOK_AVX2_END _Pragma("clang attribute pop")
#else
#define FILSOK_AVX2_BEGIN _Pragma("GCC push_options") _Pragma("GCC target(\"avx2\")")
#define FILSOK_AVX2_END _Pragma("GCC pop_options")
#endif

namespace search {

inline bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2") && !std::getenv("FILSOK_SEARCH_NO_AVX2");
    return has;
}

}  // namespace search
#endif

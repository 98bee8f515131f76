// Inlining hints for the few paths that run on every byte or note: always
// inline the short fast path (a call around it would double its cost);
// never inline a rare, long branch of a hot function (inlined, it would make
// every call save registers and reserve stack).
#pragma once

#if defined(__GNUC__)
#define VEK_ALWAYS_INLINE inline __attribute__((always_inline))
#define VEK_NOINLINE __attribute__((noinline))
#elif defined(_MSC_VER)
#define VEK_ALWAYS_INLINE __forceinline
#define VEK_NOINLINE __declspec(noinline)
#else
#define VEK_ALWAYS_INLINE inline
#define VEK_NOINLINE
#endif

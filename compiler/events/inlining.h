// Inlining hints for the few store paths that run on every note. The same
// definition as in input/reader.h (an identical redefinition is allowed),
// so either header may come first.
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

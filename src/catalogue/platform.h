// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The few places where the processor or the compiler offers more than standard C++. Each has a plain
// fallback with the same results, chosen at compile time, so that every C++20 compiler on every processor
// builds the program.

// A hot loop marked with this is built twice on x86-64, once for AVX2; the processor picks its build when
// the program starts. GCC and clang take it on plain functions and on members of classes that are no
// templates (clang refuses it on function templates, so callers dispatch to a non-template function).
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define ZENTORA_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#endif
#endif
#ifndef ZENTORA_VECTOR_CLONES
#define ZENTORA_VECTOR_CLONES
#endif

// A lambda marked with this is inlined where it is called (the compilers leave large ones called through
// a function otherwise, hot loops included).
#if defined(__has_attribute)
#if __has_attribute(always_inline)
#define ZENTORA_INLINE_LAMBDA __attribute__((always_inline))
#endif
#endif
#ifndef ZENTORA_INLINE_LAMBDA
#define ZENTORA_INLINE_LAMBDA
#endif

namespace zentora {

// Tells the processor that this thread waits in a loop for another one.
inline void PauseInWaitLoop() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    __builtin_ia32_pause();
#elif defined(__GNUC__) && defined(__aarch64__)
    __asm__ __volatile__("yield" ::: "memory");
#endif
}

}  // namespace zentora

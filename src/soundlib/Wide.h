// VELMORA_WIDE: a function compiled twice, for the x86-64 baseline and with AVX2
// (eight floats a register), the processor choosing when the program starts. Its
// loops then do the same operations on each sample in the same order, without
// fused multiply-adds, so the samples come out the same on every processor.
// (Left out under the address sanitizer, whose start-up the choice would precede.)
#pragma once

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_NO_WIDE 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_NO_WIDE 1
#endif

#if defined(__x86_64__) && defined(__GNUC__) && !defined(VELMORA_NO_WIDE)
#define VELMORA_WIDE __attribute__((target_clones("avx2", "default")))
#else
#define VELMORA_WIDE
#endif

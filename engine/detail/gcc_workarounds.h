#pragma once
// Workarounds for compiler faults, each written once.

// GCC 12 warns with -Wrestrict inside std::string's own code when a short
// literal is assigned (GCC bug 105329, a false positive). Put the statement
// between these two macros.
#if defined(__GNUC__) && !defined(__clang__)
#define KALVOX_RESTRICT_WARNING_OFF \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wrestrict\"")
#define KALVOX_RESTRICT_WARNING_ON _Pragma("GCC diagnostic pop")
#else
#define KALVOX_RESTRICT_WARNING_OFF
#define KALVOX_RESTRICT_WARNING_ON
#endif

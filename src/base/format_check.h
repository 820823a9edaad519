// The compiler's check of printf-style formats, as the C library in use reads them.
//
// MinGW's headers say which printf the program links with: with __USE_MINGW_ANSI_STDIO (set by
// the build) it is MinGW's C99 one, which takes %zu and %lld like the GNU C library; the check
// must then follow the same rules rather than those of the Microsoft runtime.
#pragma once

#include <cstdio>

#ifdef __MINGW_PRINTF_FORMAT
#define TORVELIN_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(__MINGW_PRINTF_FORMAT, formatIndex, firstArgument)))
#else
#define TORVELIN_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#endif

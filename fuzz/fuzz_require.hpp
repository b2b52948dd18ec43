#pragma once

#include <cstdio>
#include <cstdlib>

// What a fuzz target demands of a parser's answer. A broken demand prints itself and
// aborts, which libFuzzer reports as a crash and saves the input that caused it. Unlike
// assert it holds whatever the build type.
#define FUZZ_REQUIRE(condition)                                                               \
  do {                                                                                        \
    if (!(condition)) {                                                                       \
      std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                           \
    }                                                                                         \
  } while (false)

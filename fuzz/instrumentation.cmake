# The fuzz build: every library compiled with libFuzzer's coverage instrumentation and the
# address and undefined-behaviour sanitizers, so that a fault anywhere under a parser stops
# the run at the faulty access. The targets in fuzz/ add libFuzzer's own main.
enable_language(C)  # nauty's bridge is C: it must be instrumented alike
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR NOT CMAKE_C_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "KORVELANT_FUZZ needs clang with libFuzzer: configure with "
                      "-DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 "
                      "(scripts/fuzz.sh does)")
endif()
if(KORVELANT_SANITIZE)
  message(FATAL_ERROR "KORVELANT_FUZZ brings its own sanitizers; leave KORVELANT_SANITIZE off")
endif()

add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)

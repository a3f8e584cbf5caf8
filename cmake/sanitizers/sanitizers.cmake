# Builds for developers that look for memory and undefined-behaviour faults:
# ./test.sh --sanitize (the test suite under AddressSanitizer and
# UndefinedBehaviorSanitizer) and ./fuzz.sh (the libFuzzer targets of fuzz/).
# Both leave out the tracked allocation operators and the tracker's guard
# words, so the sanitizer sees each block exactly as the program asked for it.
# ubsan.supp in this folder names the few third-party reports the runs
# accept. CI keeps the plain build.
option(VANTOR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VANTOR_FUZZ "Build the libFuzzer targets of fuzz/ (clang; implies VANTOR_SANITIZE)" OFF)

if(VANTOR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "The fuzz targets need clang: configure with "
                        "-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(VANTOR_SANITIZE ON)
endif()

if(VANTOR_SANITIZE)
  add_compile_definitions(VANTOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  if(VANTOR_FUZZ)
    # Coverage for the fuzzer in every library; only the targets link its main.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()

# Project-wide compiler settings: warnings for our own targets, sanitizers for everything we build.
# The engine links strict_warnings (it names nothing of the game); the rest of the tree may use either name.
add_library(strict_warnings INTERFACE)
target_compile_options(strict_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wformat=2 -Wimplicit-fallthrough)
# GCC's check of locals shadowing locals; clang (the fuzz build) has no such narrow form.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(strict_warnings INTERFACE -Wshadow=local)
endif()
if(QUORIN_WERROR)
    target_compile_options(strict_warnings INTERFACE -Werror)
endif()
add_library(quorin_warnings ALIAS strict_warnings)

if(QUORIN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(QUORIN_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUORIN_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++-14 "
                            "-DCMAKE_C_COMPILER=clang-14")
    endif()
    # Every library is instrumented for coverage; only the fuzz program links libFuzzer's main.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

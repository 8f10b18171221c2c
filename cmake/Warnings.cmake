# Project-wide compiler settings: warnings for our own targets, sanitizers for everything we build.
add_library(quorin_warnings INTERFACE)
target_compile_options(quorin_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wformat=2 -Wimplicit-fallthrough)
if(QUORIN_WERROR)
    target_compile_options(quorin_warnings INTERFACE -Werror)
endif()

if(QUORIN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

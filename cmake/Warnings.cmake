# Project-wide compiler settings: warnings for our own targets, sanitizers for everything we build.
# The engine links strict_warnings (it names nothing of the game); the rest of the tree may use either name.
add_library(strict_warnings INTERFACE)
target_compile_options(strict_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wformat=2 -Wimplicit-fallthrough)
if(QUORIN_WERROR)
    target_compile_options(strict_warnings INTERFACE -Werror)
endif()
add_library(quorin_warnings ALIAS strict_warnings)

if(QUORIN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

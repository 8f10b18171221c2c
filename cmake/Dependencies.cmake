# Every dependency comes from a Debian package; nothing is vendored or downloaded.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SDL2_IMAGE REQUIRED IMPORTED_TARGET SDL2_image)
pkg_check_modules(SDL2_TTF REQUIRED IMPORTED_TARGET SDL2_ttf)
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
# Glyphs are rasterised with FreeType directly (SDL_ttf clips descenders that reach below the face's descent).
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(PUGIXML REQUIRED IMPORTED_TARGET pugixml)
pkg_check_modules(ZLIB REQUIRED IMPORTED_TARGET zlib)
find_package(nlohmann_json 3 REQUIRED)

# Chipmunk2D ships neither a pkg-config file nor a CMake package on Debian.
find_path(CHIPMUNK_INCLUDE_DIR chipmunk/chipmunk.h REQUIRED)
find_library(CHIPMUNK_LIBRARY chipmunk REQUIRED)
add_library(Chipmunk::chipmunk UNKNOWN IMPORTED)
set_target_properties(Chipmunk::chipmunk PROPERTIES
    IMPORTED_LOCATION "${CHIPMUNK_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${CHIPMUNK_INCLUDE_DIR}")

# LAME encodes generated music and effects at build time (content tools only).
find_path(LAME_INCLUDE_DIR lame/lame.h REQUIRED)
find_library(LAME_LIBRARY mp3lame REQUIRED)
add_library(Lame::mp3lame UNKNOWN IMPORTED)
set_target_properties(Lame::mp3lame PROPERTIES
    IMPORTED_LOCATION "${LAME_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${LAME_INCLUDE_DIR}")

find_package(Threads REQUIRED)
if(QUORIN_BUILD_TESTS)
    find_package(GTest REQUIRED)
endif()
if(QUORIN_BUILD_BENCH)
    find_package(benchmark REQUIRED)
endif()

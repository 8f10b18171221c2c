# Font files from the installed Debian packages fonts-ipaexfont-mincho and fonts-oradano-mincho-gsrr.
# The resource tree copies them (res/CMakeLists.txt); the engine's tests, benchmarks and demo read
# them where the packages put them.
set(QUORIN_FONT_IPAEX "/usr/share/fonts/opentype/ipaexfont-mincho/ipaexm.ttf"
    CACHE FILEPATH "IPAex Mincho (Debian package fonts-ipaexfont-mincho)")
set(QUORIN_FONT_IPAEX_LICENSE "/usr/share/doc/fonts-ipaexfont-mincho/copyright"
    CACHE FILEPATH "Licence of IPAex Mincho")
set(QUORIN_FONT_ORADANO "/usr/share/fonts/truetype/oradano-mincho/OradanoGSRR.ttf"
    CACHE FILEPATH "Oradano Mincho GSRR (Debian package fonts-oradano-mincho-gsrr)")
set(QUORIN_FONT_ORADANO_LICENSE "/usr/share/doc/fonts-oradano-mincho-gsrr/copyright"
    CACHE FILEPATH "Licence of Oradano Mincho GSRR")
foreach(_font QUORIN_FONT_IPAEX QUORIN_FONT_IPAEX_LICENSE QUORIN_FONT_ORADANO QUORIN_FONT_ORADANO_LICENSE)
    if(NOT EXISTS "${${_font}}")
        message(FATAL_ERROR "${_font}: ${${_font}} is missing; install fonts-ipaexfont-mincho and fonts-oradano-mincho-gsrr")
    endif()
endforeach()

# Removes MP3 files from the runtime tree's audio folder that no source stands for any more (a sound that
# was deleted or renamed). Run by the quorin_audio_assets target with
#   -D AUDIO_DIR=<runtime res/audio> -D EXPECTED=<file listing the MP3s the sources make, one per line>
cmake_minimum_required(VERSION 3.20)
file(STRINGS "${EXPECTED}" expected)
file(GLOB_RECURSE present "${AUDIO_DIR}/*.mp3")
foreach(file IN LISTS present)
    if(NOT file IN_LIST expected)
        message(STATUS "Removing stale ${file}")
        file(REMOVE "${file}")
    endif()
endforeach()

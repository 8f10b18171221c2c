# Compiles SOURCE with exactly the include folders INCLUDES ("|"-separated) and checks the outcome:
#   EXPECT=compiles   the compiler succeeds
#   EXPECT=missing    the compiler fails because the header MISSING cannot be found
# cmake -D COMPILER=... -D SOURCE=... -D INCLUDES=... -D EXPECT=... [-D MISSING=...] -P CheckCompile.cmake
string(REPLACE "|" ";" _dirs "${INCLUDES}")
set(_flags)
foreach(_dir IN LISTS _dirs)
    list(APPEND _flags "-I${_dir}")
endforeach()
execute_process(COMMAND "${COMPILER}" -std=c++17 -fsyntax-only ${_flags} "${SOURCE}"
    RESULT_VARIABLE _status OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
message("include folders: ${_dirs}\n${_out}")
if(EXPECT STREQUAL "compiles")
    if(NOT _status EQUAL 0)
        message(FATAL_ERROR "${SOURCE} should compile with these include folders")
    endif()
elseif(EXPECT STREQUAL "missing")
    if(_status EQUAL 0)
        message(FATAL_ERROR "${SOURCE} compiled, but ${MISSING} should not be reachable")
    endif()
    # GCC: "HEADER: No such file or directory"; Clang: "'HEADER' file not found".
    string(REPLACE "." "\\." _missing "${MISSING}")
    if(NOT _out MATCHES "${_missing}: No such file|'${_missing}' file not found")
        message(FATAL_ERROR "${SOURCE} failed, but not because ${MISSING} is out of reach")
    endif()
else()
    message(FATAL_ERROR "EXPECT must be compiles or missing")
endif()

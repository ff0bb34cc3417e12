# The program's version: "git describe" of the source tree, else the project's version.
#
# Run as a script (cmake -P) at every build, and included once at configure, it writes
#   VANTARO_VERSION_SOURCE  a C++ file defining VCliVersion::text()
#   VANTARO_VERSION_CPACK   the package version for CPack, in a form Debian accepts
# each only when its content changes, so that an unchanged version rebuilds nothing.
# Needs VANTARO_SOURCE_DIR and VANTARO_FALLBACK_VERSION.

function(vantaro_describe out)
    set(version "${VANTARO_FALLBACK_VERSION}")
    find_package(Git QUIET)
    if(GIT_EXECUTABLE)
        # A source tree unpacked inside some other checkout is not that checkout.
        execute_process(
            COMMAND "${GIT_EXECUTABLE}" -C "${VANTARO_SOURCE_DIR}" rev-parse --show-toplevel
            OUTPUT_VARIABLE top
            OUTPUT_STRIP_TRAILING_WHITESPACE
            ERROR_QUIET)
        file(REAL_PATH "${VANTARO_SOURCE_DIR}" source)
        if(NOT top STREQUAL "")
            file(REAL_PATH "${top}" top)
        endif()
    endif()
    if(GIT_EXECUTABLE AND top STREQUAL source)
        # --long: a tag always comes with its count of commits since, so that a bare commit
        # name (which may begin with a digit) is never taken for a release.
        execute_process(
            COMMAND "${GIT_EXECUTABLE}" -C "${VANTARO_SOURCE_DIR}"
                    describe --tags --always --dirty --long
            OUTPUT_VARIABLE described
            RESULT_VARIABLE status
            OUTPUT_STRIP_TRAILING_WHITESPACE
            ERROR_QUIET)
        if(NOT status EQUAL 0 OR described STREQUAL "")
            # Not a git checkout: the project version alone.
        elseif(described MATCHES "^v?([0-9][^-]*)-([0-9]+)-(g[0-9a-f]+)(-dirty)?$")
            # A release tag, perhaps with commits since ("0.2.0-5-gabc1234-dirty").
            if(CMAKE_MATCH_2 EQUAL 0)
                set(version "${CMAKE_MATCH_1}${CMAKE_MATCH_4}")
            else()
                set(version "${CMAKE_MATCH_1}-${CMAKE_MATCH_2}-${CMAKE_MATCH_3}${CMAKE_MATCH_4}")
            endif()
        else()
            # No release tag yet: the commit names the build, the project version the release.
            set(version "${VANTARO_FALLBACK_VERSION}-g${described}")
        endif()
    endif()
    # It goes into a C++ string and a file name.
    string(REGEX REPLACE "[^A-Za-z0-9._+~-]" "_" version "${version}")
    set(${out} "${version}" PARENT_SCOPE)
endfunction()

# "0.2.0-5-gabc1234-dirty" as "0.2.0+5.gabc1234.dirty": an upstream version without a
# revision may not hold "-", and what follows the release must sort after it.
function(vantaro_debian_version version out)
    string(FIND "${version}" "-" dash)
    if(dash GREATER -1)
        string(SUBSTRING "${version}" 0 ${dash} release)
        math(EXPR rest_at "${dash} + 1")
        string(SUBSTRING "${version}" ${rest_at} -1 rest)
        string(REPLACE "-" "." rest "${rest}")
        set(version "${release}+${rest}")
    endif()
    string(REGEX REPLACE "[^A-Za-z0-9.+~]" "." version "${version}")
    set(${out} "${version}" PARENT_SCOPE)
endfunction()

function(vantaro_write_if_changed path content)
    if(EXISTS "${path}")
        file(READ "${path}" old)
        if(old STREQUAL content)
            return()
        endif()
    endif()
    file(WRITE "${path}" "${content}")
endfunction()

vantaro_describe(VANTARO_DESCRIBED_VERSION)
vantaro_debian_version("${VANTARO_DESCRIBED_VERSION}" VANTARO_DEBIAN_VERSION)
vantaro_write_if_changed("${VANTARO_VERSION_SOURCE}"
"// Made by cmake/VantaroVersion.cmake at build time.
#include \"VCliVersion.h\"

const char* VCliVersion::text() { return \"${VANTARO_DESCRIBED_VERSION}\"; }
")
vantaro_write_if_changed("${VANTARO_VERSION_CPACK}"
"# Made by cmake/VantaroVersion.cmake at build time; read by cpack.
set(CPACK_PACKAGE_VERSION \"${VANTARO_DEBIAN_VERSION}\")
set(CPACK_DEBIAN_PACKAGE_VERSION \"${VANTARO_DEBIAN_VERSION}\")
")

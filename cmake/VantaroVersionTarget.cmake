# Keeps the program's version current: cmake/VantaroVersion.cmake runs once now (so the
# files exist for the first build and for cpack) and again at every build, so that a new
# commit or an edit is seen without configuring again. Defines the target
# vantaro_version_file and VANTARO_VERSION_SOURCE, VANTARO_VERSION_CPACK.

set(VANTARO_VERSION_SOURCE "${CMAKE_BINARY_DIR}/generated/VCliVersion.cpp")
set(VANTARO_VERSION_CPACK "${CMAKE_BINARY_DIR}/generated/VantaroCPackVersion.cmake")
set(VANTARO_SOURCE_DIR "${CMAKE_SOURCE_DIR}")
set(VANTARO_FALLBACK_VERSION "${PROJECT_VERSION}")
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/generated")
include(${CMAKE_CURRENT_LIST_DIR}/VantaroVersion.cmake)
message(STATUS "Vantaro version ${VANTARO_DESCRIBED_VERSION} (package ${VANTARO_DEBIAN_VERSION})")

add_custom_target(vantaro_version_file
    COMMAND ${CMAKE_COMMAND}
        -DVANTARO_SOURCE_DIR=${VANTARO_SOURCE_DIR}
        -DVANTARO_FALLBACK_VERSION=${VANTARO_FALLBACK_VERSION}
        -DVANTARO_VERSION_SOURCE=${VANTARO_VERSION_SOURCE}
        -DVANTARO_VERSION_CPACK=${VANTARO_VERSION_CPACK}
        -P ${CMAKE_CURRENT_LIST_DIR}/VantaroVersion.cmake
    BYPRODUCTS ${VANTARO_VERSION_SOURCE} ${VANTARO_VERSION_CPACK}
    COMMENT "Reading the version from git"
    VERBATIM)

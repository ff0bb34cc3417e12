# Warnings for our own targets; third-party headers come in as system includes.
set(VANTARO_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
    -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports libstdc++'s own string internals as maybe-uninitialized at -O2.
    list(APPEND VANTARO_WARNINGS -Wno-maybe-uninitialized)
endif()
if(VANTARO_WERROR)
    list(APPEND VANTARO_WARNINGS -Werror)
endif()

# vantaro_library(name folder [DEPS ...]): one static library per layer folder, built from
# every source file in it, so adding a file needs no edit here.
function(vantaro_library name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
        target_compile_options(${name} PRIVATE ${VANTARO_WARNINGS})
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
        # A layer that holds only headers so far.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

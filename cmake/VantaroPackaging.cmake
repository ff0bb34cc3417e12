# The Debian package: "cmake --build build --target package" (or cpack -G DEB in the
# build folder) after a build configured with -DVANTARO_SOURCE_RESOURCES=OFF, as
# scripts/package.sh does.

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vantaro")
set(CPACK_PACKAGE_VENDOR "Vantaro")
set(CPACK_PACKAGE_CONTACT "Vantaro Video developers <vantaro@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch converter for video and audio files")
set(CPACK_PACKAGE_DESCRIPTION
    "Converts video and audio files with FFmpeg, several at a time, with a choice of\n"
    "encoders and a chain of effects (scaling, cropping, denoising, trimming, loudness\n"
    "normalising and more), and shows the media properties and tags of files.\n"
    "FFmpeg and ffprobe run as separate programs.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
# Set again at packaging time from the build's own version (see VantaroVersion.cmake).
set(CPACK_PACKAGE_VERSION "${VANTARO_DEBIAN_VERSION}")
set(CPACK_PROJECT_CONFIG_FILE "${VANTARO_VERSION_CPACK}")

set(CPACK_DEBIAN_PACKAGE_NAME "vantaro")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "video")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# The libraries the program links (Qt, libstdc++) found by dpkg-shlibdeps; FFmpeg runs as
# a program, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ffmpeg")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Only what a user runs: not the generator of the manual page.
set(CPACK_STRIP_FILES ON)

include(CPack)

# The Debian package: `cpack -G DEB` in a Release build configured with
# CMAKE_INSTALL_PREFIX=/usr (scripts/package.sh does both and checks the
# result). One package holds the command, the editor, the library with its
# development link and header (the editor loads the library by its
# unversioned name), the data, the guide and the desktop integration.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vek)
set(CPACK_PACKAGE_VENDOR "Vek developers")
set(CPACK_PACKAGE_CONTACT "Vek developers <dev@vek.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compiler and editor for a text music language")
set(CPACK_PACKAGE_DESCRIPTION
"Vek turns pieces written as plain text (.vek files) into Standard MIDI
Files or sequencer work files.
.
This package holds the command-line compiler vek, the editor vekedit with
its built-in player, the compiler library libVek12, the General MIDI
include files, the drum library and the language guide.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt, FluidSynth and the C++ runtime come from dpkg-shlibdeps. CPack
# writes the library's shlibs file; the ldconfig trigger is ours.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/resources/debian/triggers)
# Qt loads its display plugins at run time, so no shared-library
# dependency names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The player and the renderer sound through the system's General MIDI
# soundfont (/usr/share/sounds/sf2/default-GM.sf2), which either provides.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fluid-soundfont-gm | timgm6mb-soundfont")

# Debian's own files go into the staged tree only, not into a plain
# `cmake --install`.
set(CPACK_VEK_DEBIAN_DIR ${PROJECT_SOURCE_DIR}/resources/debian)
set(CPACK_VEK_DOCDIR ${CMAKE_INSTALL_DOCDIR})
set(CPACK_VEK_MANDIR ${CMAKE_INSTALL_MANDIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb_staging.cmake)

include(CPack)

# What `cmake --install` puts where, and the Debian package CPack makes of it.
#
#   bin/                      chordalis, chordalis-cli, validate-library
#   share/chordalis/          the program folder's data (read only; nothing is written there)
#   share/applications/       the desktop entry
#   share/icons/hicolor/      the icon, scalable and in PNG sizes
#   share/metainfo/           the AppStream description, with screenshots
#   share/man/man1/           the manual pages
#   lib/udev/rules.d/         the rule that lets the user at the desktop open the LED guitar

set(CHORDALIS_APP_ID org.chordalis.Chordalis)
set(CHORDALIS_SCREENSHOT_BASE_URL "https://chordalis.example/screenshots" CACHE STRING
    "Where the screenshots of docs/screenshots are published; the AppStream file links them there")
set(CHORDALIS_HOMEPAGE "" CACHE STRING "The program's web home, named in the package and AppStream file")
set(CHORDALIS_PACKAGE_MAINTAINER "Chordalis developers <chordalis@localhost>" CACHE STRING
    "The Maintainer field of the Debian package")
set(CHORDALIS_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Where the LED guitar's udev rule goes, relative to the prefix (the package: /usr/lib/udev/rules.d)")

install(DIRECTORY ${CHORDALIS_DATA_SOURCE}/ DESTINATION ${CHORDALIS_INSTALL_DATADIR})

set(packaging ${CMAKE_SOURCE_DIR}/packaging)
install(FILES ${packaging}/linux/${CHORDALIS_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/icons/${CHORDALIS_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${packaging}/icons/hicolor/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${packaging}/udev/70-chordalis-ledguitar.rules DESTINATION ${CHORDALIS_UDEV_RULES_DIR})

# The AppStream file names the project's version, released on the day of the build (or of
# SOURCE_DATE_EPOCH, which string(TIMESTAMP) follows, for a reproducible build).
string(TIMESTAMP CHORDALIS_RELEASE_DATE "%Y-%m-%d" UTC)
if(CHORDALIS_HOMEPAGE)
    set(CHORDALIS_HOMEPAGE_ELEMENT "<url type=\"homepage\">${CHORDALIS_HOMEPAGE}</url>")
endif()
configure_file(${packaging}/linux/${CHORDALIS_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${CHORDALIS_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${CHORDALIS_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages, compressed as Debian ships them.
set(man_pages chordalis-cli.1 validate-library.1)
if(CHORDALIS_BUILD_GUI)
    list(PREPEND man_pages chordalis.1)
endif()
set(man_outputs)
foreach(page IN LISTS man_pages)
    set(out ${CMAKE_BINARY_DIR}/packaging/man/${page}.gz)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/man
        COMMAND gzip -9 -n -c ${packaging}/man/${page} > ${out}
        DEPENDS ${packaging}/man/${page}
        VERBATIM)
    list(APPEND man_outputs ${out})
endforeach()
add_custom_target(chordalis_man ALL DEPENDS ${man_outputs})
install(FILES ${man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package. Its library dependencies are read from the binaries (dpkg-shlibdeps); the
# packages the program opens at run time without linking them are named here: the fonts the
# neck and the printed sheets are drawn with, a General MIDI sound font for the built-in
# synthesizer, and xdg-open for the user guide.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME chordalis)
set(CPACK_PACKAGE_VENDOR Chordalis)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "guitar reference and practice tool")
set(CPACK_PACKAGE_DESCRIPTION
    "Chordalis shows chords with their fingered voicings, scales in positions,
arpeggios, single notes, triads on every string group, a chord with its
related scales and a chord finder on a drawn guitar neck, for any of the 17
root names. Every item can be heard through the built-in synthesizer or a
MIDI port, a metronome keeps time, and the current page prints as a one-page
reference sheet. An LED guitar on USB lights what the neck shows. The
companion tool chordalis-cli prints any page as JSON, renders it as a
picture or a PDF sheet, and plays it into a WAV file.")
set(CPACK_PACKAGE_CONTACT "${CHORDALIS_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-dejavu-core, fonts-liberation2, timgm6mb-soundfont | fluid-soundfont-gm, xdg-utils, libqt6sql6-sqlite")
if(CHORDALIS_HOMEPAGE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${CHORDALIS_HOMEPAGE})
endif()
# The control files with the permissions Debian's own tools give them.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

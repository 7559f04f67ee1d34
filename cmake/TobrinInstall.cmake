# Installation and the Debian package. The programs go to the binary folder;
# the archiver libraries and the media library to the folder the programs
# fall back on (TOBRIN_INSTALL_LIBDIR below the prefix, see platform/dynlib).
set(tobrin_shipped_libraries
  archiver_Unlha32 archiver_cab32 archiver_Tar32 archiver_unrar32 archiver_Unzip32
  archiver_Zip32j tobrin_media)
install(TARGETS tobrinedit tobrinplay RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ${tobrin_shipped_libraries} LIBRARY DESTINATION ${TOBRIN_INSTALL_LIBDIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/tobrinedit.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/tobrinedit.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# Debian wants the changelog compressed reproducibly (no name, no time).
set(tobrin_changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${tobrin_changelog}
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/data/changelog > ${tobrin_changelog}
  DEPENDS ${CMAKE_SOURCE_DIR}/data/changelog VERBATIM)
add_custom_target(tobrin_changelog ALL DEPENDS ${tobrin_changelog})
install(FILES ${CMAKE_SOURCE_DIR}/data/copyright ${tobrin_changelog}
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tobrin)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_CONTACT "Tobrin EX for Linux developers <tobrin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "start-up menu editor and runner for discs")
set(CPACK_PACKAGE_DESCRIPTION
  "Tobrin EX lays out the start-up menu of a CD, DVD, USB stick or folder
(tobrinedit, with a Japanese user interface) and plays it from the disc
(tobrinplay), including a simple setup that copies folders and unpacks
archives.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# GStreamer plays the opening's music and movie; Qt finds its plugins at run
# time, so they are no library dependency that dpkg-shlibdeps could see.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, qt6-translations-l10n, fonts-noto-cjk | fonts-ipafont-gothic")
include(CPack)

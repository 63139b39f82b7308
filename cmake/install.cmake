# Installing Tavrello like any Linux game: the program, its read-only assets, a launcher that gives
# every player a writable working directory, the desktop entry, icon and metainfo; plus .deb packaging.
include(GNUInstallDirs)

set(TAVRELLO_GAME_DIR "${CMAKE_INSTALL_LIBEXECDIR}/tavrello")
set(TAVRELLO_DATA_DIR "${CMAKE_INSTALL_DATADIR}/tavrello")
set(TAVRELLO_APP_ID "io.github.tavrello.Tavrello")

# The launcher finds the prefix from its own place, so it needs the way back up from the bin dir.
file(RELATIVE_PATH TAVRELLO_BIN_TO_PREFIX "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_PREFIX}")
if(TAVRELLO_BIN_TO_PREFIX STREQUAL "")
  set(TAVRELLO_BIN_TO_PREFIX ".")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/../packaging/tavrello.in ${CMAKE_BINARY_DIR}/packaging/tavrello @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/../packaging/${TAVRELLO_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${TAVRELLO_APP_ID}.metainfo.xml @ONLY)

install(TARGETS tavrello RUNTIME DESTINATION ${TAVRELLO_GAME_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/tavrello DESTINATION ${CMAKE_INSTALL_BINDIR})

# The player's scores (and the store's temporary and backup copies) belong in each player's directory.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/ DESTINATION ${TAVRELLO_DATA_DIR}/assets
        PATTERN "highscore.txt*" EXCLUDE)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/${TAVRELLO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/tavrello.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${TAVRELLO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/packaging/copyright
              ${CMAKE_SOURCE_DIR}/assets/COOPBL.TTF.copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavrello)

# `cpack -G DEB` from a Release build gives a package for Debian 12.
set(CPACK_PACKAGE_NAME tavrello)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tavrello developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game of falling gems strung on a thread")
set(CPACK_PACKAGE_DESCRIPTION
    "Gems fall into a board of eight rows and twelve columns; a thread under the cursor column takes
the bottom gem or gives its top gem back, and scores when it equals the target pattern. Levels last
a minute and speed up the fall. Each player's best results are kept in their own data directory.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(TAVRELLO_PACKAGE_MAINTAINER "The Tavrello developers <tavrello@example.org>"
    CACHE STRING "Maintainer named in the .deb package")
set(CPACK_PACKAGE_CONTACT "${TAVRELLO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
find_program(TAVRELLO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TAVRELLO_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libsfml-audio2.5, libsfml-graphics2.5, libsfml-window2.5, libsfml-system2.5, libmpg123-0, libstdc++6, libc6")
endif()
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/assets/highscore\\\\.txt")
include(CPack)

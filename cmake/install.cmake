# Installing Tavrello like any Linux game: the program, its read-only assets, a launcher that gives
# every player a writable working directory, the desktop entry, icon, metainfo, manual page and
# changelog; plus the Debian package, laid out as Debian's games policy asks.
include(GNUInstallDirs)

set(TAVRELLO_APP_ID "io.github.tavrello.Tavrello")
set(TAVRELLO_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(TAVRELLO_PACKAGE_PREFIX /usr)
# The Debian package does not carry a copy of the font: it links to the font package's own file.
set(TAVRELLO_SYSTEM_FONT /usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf)
set(TAVRELLO_SYSTEM_FONT_PACKAGE fonts-dejavu-core)

# Hardened like Debian's own builds: checked libc calls and relocations read-only from the start.
set(TAVRELLO_HARDENED "$<NOT:$<CONFIG:Debug>>")
foreach(target tavrello tavrello_ui tavrello_core)
  if(TARGET ${target})
    target_compile_definitions(${target} PRIVATE $<${TAVRELLO_HARDENED}:_FORTIFY_SOURCE=2>)
  endif()
endforeach()
target_link_options(tavrello PRIVATE $<${TAVRELLO_HARDENED}:LINKER:-z,relro,-z,now>)

# Man pages and changelogs are installed compressed, without a time stamp, as Debian does.
find_program(TAVRELLO_GZIP gzip REQUIRED)
foreach(doc tavrello.6 changelog)
  set(copy ${CMAKE_BINARY_DIR}/packaging/${doc})
  add_custom_command(OUTPUT ${copy}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${TAVRELLO_PACKAGING_DIR}/${doc} ${copy}
                     COMMAND ${TAVRELLO_GZIP} -9nf ${copy}
                     DEPENDS ${TAVRELLO_PACKAGING_DIR}/${doc} VERBATIM)
endforeach()
add_custom_target(tavrello_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/tavrello.6.gz
                                            ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
configure_file(${TAVRELLO_PACKAGING_DIR}/${TAVRELLO_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${TAVRELLO_APP_ID}.metainfo.xml @ONLY)

# The launcher for one layout; it finds the prefix from its own place, so it needs the way back up
# from its directory.
function(tavrello_configure_launcher out bin_dir TAVRELLO_GAME_DIR TAVRELLO_DATA_DIR)
  set(full_bin_dir "${bin_dir}")
  if(NOT IS_ABSOLUTE "${bin_dir}")
    set(full_bin_dir "${CMAKE_INSTALL_PREFIX}/${bin_dir}")
  endif()
  file(RELATIVE_PATH TAVRELLO_BIN_TO_PREFIX "${full_bin_dir}" "${CMAKE_INSTALL_PREFIX}")
  if(TAVRELLO_BIN_TO_PREFIX STREQUAL "")
    set(TAVRELLO_BIN_TO_PREFIX ".")
  endif()
  configure_file(${TAVRELLO_PACKAGING_DIR}/tavrello.in ${out} @ONLY)
endfunction()

# What only the Debian package holds: a link to the system's copy of the font in place of the font,
# and lintian's overrides.
function(tavrello_install_package_extras component data_dir)
  set(out ${CMAKE_BINARY_DIR}/packaging/${component})
  file(RELATIVE_PATH font_link "${TAVRELLO_PACKAGE_PREFIX}/${data_dir}/assets" "${TAVRELLO_SYSTEM_FONT}")
  file(MAKE_DIRECTORY ${out})
  file(CREATE_LINK "${font_link}" ${out}/COOPBL.TTF SYMBOLIC)
  install(FILES ${out}/COOPBL.TTF DESTINATION ${data_dir}/assets COMPONENT ${component} EXCLUDE_FROM_ALL)
  install(FILES ${TAVRELLO_PACKAGING_DIR}/tavrello.lintian-overrides DESTINATION
          ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tavrello COMPONENT ${component} EXCLUDE_FROM_ALL)
endfunction()

# tavrello_install_layout(COMPONENT BIN_DIR GAME_DIR DATA_DIR [PACKAGE]): every file of the game,
# directories relative to the prefix. A PACKAGE layout is left out of a plain `cmake --install`.
function(tavrello_install_layout component bin_dir game_dir data_dir)
  cmake_parse_arguments(LAYOUT "PACKAGE" "" "" ${ARGN})
  set(rule COMPONENT ${component})
  set(font_rule)
  if(LAYOUT_PACKAGE)
    list(APPEND rule EXCLUDE_FROM_ALL)
    set(font_rule PATTERN COOPBL.TTF EXCLUDE)
    tavrello_install_package_extras(${component} ${data_dir})
  endif()
  tavrello_configure_launcher(${CMAKE_BINARY_DIR}/packaging/${component}/tavrello "${bin_dir}" "${game_dir}"
                              "${data_dir}")

  install(TARGETS tavrello RUNTIME DESTINATION ${game_dir} ${rule})
  # Like Debian's own stripping: the compiler's identification is of no use in an installed program.
  set(program "${game_dir}/tavrello")
  if(NOT IS_ABSOLUTE "${program}")
    set(program "\${CMAKE_INSTALL_PREFIX}/${program}")
  endif()
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
                  execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                                          \"\$ENV{DESTDIR}${program}\")
                endif()" ${rule})
  install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/${component}/tavrello DESTINATION ${bin_dir} ${rule})
  # The player's scores (and the store's temporary and backup copies) belong in each player's directory.
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/ DESTINATION ${data_dir}/assets ${rule}
          PATTERN "highscore.txt*" EXCLUDE ${font_rule})

  install(FILES ${TAVRELLO_PACKAGING_DIR}/${TAVRELLO_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications ${rule})
  install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/tavrello.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps ${rule})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${TAVRELLO_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo ${rule})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/tavrello.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 ${rule})
  install(FILES ${TAVRELLO_PACKAGING_DIR}/copyright ${CMAKE_SOURCE_DIR}/assets/COOPBL.TTF.copyright
                ${CMAKE_BINARY_DIR}/packaging/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavrello ${rule})
endfunction()

tavrello_install_layout(game ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_LIBEXECDIR}/tavrello
                        ${CMAKE_INSTALL_DATADIR}/tavrello)
tavrello_install_layout(debian games libexec/tavrello share/games/tavrello PACKAGE)

# `cpack -G DEB` from a Release build gives a package for Debian 12, made of the Debian layout alone.
set(CPACK_PACKAGE_NAME tavrello)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tavrello developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game of falling gems strung on a thread")
set(CPACK_PACKAGE_DESCRIPTION
    "Gems fall into a board of eight rows and twelve columns; a thread under the
cursor column takes the bottom gem or gives its top gem back, and scores when
it equals the target pattern. Levels last a minute and speed up the fall. Each
player's best results are kept in their own data directory.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${TAVRELLO_PACKAGE_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL debian)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(TAVRELLO_PACKAGE_MAINTAINER "The Tavrello developers <tavrello@example.org>"
    CACHE STRING "Maintainer named in the .deb package")
set(CPACK_PACKAGE_CONTACT "${TAVRELLO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
find_program(TAVRELLO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TAVRELLO_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS ${TAVRELLO_SYSTEM_FONT_PACKAGE})
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsfml-audio2.5, libsfml-graphics2.5, libsfml-window2.5, \
libsfml-system2.5, libmpg123-0, libstdc++6, libc6, ${TAVRELLO_SYSTEM_FONT_PACKAGE}")
endif()
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/assets/highscore\\\\.txt")
include(CPack)

# The Windows program: a GUI program (no console) with the GCC runtime linked in, its manifest, icon and
# version resource; and its packages, the portable zip and the installer (target tavrello_windows_packages).
enable_language(RC)
set(TAVRELLO_WINDOWS_DIR ${CMAKE_SOURCE_DIR}/packaging/windows)
set(TAVRELLO_WINDOWS_OUT ${CMAKE_BINARY_DIR} CACHE PATH "Folder the Windows packages are written to")
set(TAVRELLO_WINDOWS_DEPS ${CMAKE_FIND_ROOT_PATH})
list(GET TAVRELLO_WINDOWS_DEPS 0 TAVRELLO_WINDOWS_DEPS)

set_target_properties(tavrello PROPERTIES WIN32_EXECUTABLE ON)
# Static mpg123 calls the shell's path functions; the high-score file's folder comes from the shell.
target_link_libraries(tavrello_ui PUBLIC shlwapi shell32 ole32)
target_link_libraries(tavrello PRIVATE sfml-main)
target_link_options(tavrello PRIVATE -static-libgcc -static-libstdc++ -static -s)

# An icon holding the desktop icon's PNG as it is, which Windows reads since Vista.
set(TAVRELLO_ICON_PNG ${CMAKE_SOURCE_DIR}/dist/icons/tavrello.png)
set(TAVRELLO_ICON ${CMAKE_BINARY_DIR}/tavrello.ico)
add_custom_command(OUTPUT ${TAVRELLO_ICON}
                   COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/windows-icon.sh ${TAVRELLO_ICON_PNG} ${TAVRELLO_ICON}
                   DEPENDS ${TAVRELLO_ICON_PNG} ${CMAKE_SOURCE_DIR}/cmake/windows-icon.sh VERBATIM)
configure_file(${TAVRELLO_WINDOWS_DIR}/tavrello.rc.in ${CMAKE_BINARY_DIR}/tavrello.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/tavrello.rc PROPERTIES
                            OBJECT_DEPENDS "${TAVRELLO_ICON};${TAVRELLO_WINDOWS_DIR}/tavrello.manifest")
target_sources(tavrello PRIVATE ${CMAKE_BINARY_DIR}/tavrello.rc)

# The portable folder: what the zip holds and what the installer installs.
set(stage ${CMAKE_BINARY_DIR}/stage/Tavrello)
set(zip ${TAVRELLO_WINDOWS_OUT}/tavrello-${PROJECT_VERSION}-windows-x64.zip)
set(setup ${TAVRELLO_WINDOWS_OUT}/tavrello-${PROJECT_VERSION}-windows-x64-setup.exe)
file(GLOB asset_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/*)
list(FILTER asset_files EXCLUDE REGEX "/highscore[^/]*$")
add_custom_command(
  OUTPUT ${zip} ${setup}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/assets ${stage}/licences
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tavrello> ${TAVRELLO_WINDOWS_DEPS}/bin/OpenAL32.dll ${stage}
  COMMAND ${CMAKE_STRIP} ${stage}/OpenAL32.dll
  COMMAND ${CMAKE_COMMAND} -E copy ${asset_files} ${stage}/assets
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${TAVRELLO_WINDOWS_DEPS}/share/tavrello-licences ${stage}/licences
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${stage}/licences/Tavrello.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/assets/COOPBL.TTF.copyright ${stage}/licences/font.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${TAVRELLO_WINDOWS_DIR}/README.txt ${stage}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
  COMMAND ${CMAKE_COMMAND} -E chdir ${stage}/.. ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip Tavrello
  COMMAND makensis -V2 -DVERSION=${PROJECT_VERSION} -DSTAGE=${stage} -DOUTFILE=${setup}
          ${TAVRELLO_WINDOWS_DIR}/tavrello.nsi
  DEPENDS tavrello ${asset_files} ${TAVRELLO_WINDOWS_DIR}/tavrello.nsi ${TAVRELLO_WINDOWS_DIR}/README.txt
  VERBATIM)
add_custom_target(tavrello_windows_packages DEPENDS ${zip} ${setup})

# Installing and packaging the game, each test in its own scratch directory.
foreach(name layout launcher package)
  add_test(NAME install_${name}
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install/${name}_test.sh ${CMAKE_COMMAND}
                   ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
endforeach()
# The installed game played on a private X display, with the real binary's harness.
add_test(NAME install_play COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/installed_test.py
                                   $<TARGET_FILE:tavrello> ${CMAKE_SOURCE_DIR} ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
set_tests_properties(install_layout install_launcher install_package install_play PROPERTIES LABELS install
                     TIMEOUT 300 ENVIRONMENT "ALSOFT_DRIVERS=null;ASAN_OPTIONS=detect_leaks=0")

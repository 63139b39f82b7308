# Installing the game: each test installs into its own scratch prefix; the game itself runs on a
# private X display the test starts.
set(INSTALL_TEST_DIR ${CMAKE_CURRENT_SOURCE_DIR}/install)

add_test(NAME install_layout
         COMMAND bash ${INSTALL_TEST_DIR}/layout_test.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
add_test(NAME install_launcher
         COMMAND bash ${INSTALL_TEST_DIR}/launcher_test.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
add_test(NAME install_package
         COMMAND bash ${INSTALL_TEST_DIR}/package_test.sh ${CMAKE_COMMAND} ${CMAKE_CPACK_COMMAND} ${CMAKE_SOURCE_DIR})
add_test(NAME install_play
         COMMAND bash ${INSTALL_TEST_DIR}/play_test.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
set_tests_properties(install_layout install_launcher install_package PROPERTIES LABELS install TIMEOUT 90)
set_tests_properties(install_play PROPERTIES LABELS install TIMEOUT 180 ENVIRONMENT "ALSOFT_DRIVERS=null")

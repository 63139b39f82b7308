# Installing the game: each test installs this build tree into its own scratch prefix.
set(INSTALL_TEST_DIR ${CMAKE_CURRENT_SOURCE_DIR}/install)

add_test(NAME install_layout
         COMMAND bash ${INSTALL_TEST_DIR}/layout_test.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
add_test(NAME install_launcher
         COMMAND bash ${INSTALL_TEST_DIR}/launcher_test.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR})
set_tests_properties(install_layout install_launcher PROPERTIES LABELS install TIMEOUT 60)

# Installing and packaging the game, each test in its own scratch directory.
foreach(name launcher package)
  add_test(NAME install_${name} COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install/${name}_test.sh
                                     ${CMAKE_COMMAND} ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
  set_tests_properties(install_${name} PROPERTIES LABELS install TIMEOUT 300)
endforeach()

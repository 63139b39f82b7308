# End-to-end tests of the real binary on private X displays.
add_test(NAME e2e_smoke
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/smoke_test.py $<TARGET_FILE:tavrello>
                 ${CMAKE_SOURCE_DIR})
set_tests_properties(e2e_smoke PROPERTIES LABELS e2e TIMEOUT 120
                     ENVIRONMENT "ALSOFT_DRIVERS=null")

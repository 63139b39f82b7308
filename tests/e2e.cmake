# End-to-end tests of the real binary on private X displays. Leak checking of the game's code happens
# in-process (display_tests); the real binary unloads the GL driver at exit, whose leftovers LeakSanitizer
# could only report as an unknown module, so these runs check memory errors and undefined behaviour only.
add_test(NAME e2e_smoke
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/smoke_test.py $<TARGET_FILE:tavrello>
                 ${CMAKE_SOURCE_DIR})
set_tests_properties(e2e_smoke PROPERTIES LABELS e2e TIMEOUT 120
                     ENVIRONMENT "ALSOFT_DRIVERS=null;ASAN_OPTIONS=detect_leaks=0")

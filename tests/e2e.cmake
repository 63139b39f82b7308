# End-to-end tests of the real binary on private X displays. Leak checking of the game's code happens
# in-process (display_tests); the real binary unloads the GL driver at exit, whose leftovers LeakSanitizer
# could only report as an unknown module, so these runs check memory errors and undefined behaviour only.
set(E2E_DIR ${CMAKE_CURRENT_SOURCE_DIR}/e2e)
set(E2E_ENV "ALSOFT_DRIVERS=null;ASAN_OPTIONS=detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

add_test(NAME e2e_smoke COMMAND /usr/bin/python3 ${E2E_DIR}/smoke_test.py $<TARGET_FILE:tavrello> ${CMAKE_SOURCE_DIR})
# A whole session at 1920x1080 with real keys, clicks, screenshots and captured sound (the test switches
# its game from the silent audio driver to the wave-file one).
add_test(NAME e2e_play COMMAND /usr/bin/python3 ${E2E_DIR}/play_test.py $<TARGET_FILE:tavrello> ${CMAKE_SOURCE_DIR})
# The same game on a 2560x1080 display: stretched pictures, buttons where they are drawn.
add_test(NAME e2e_scaling
         COMMAND /usr/bin/python3 ${E2E_DIR}/scaling_test.py $<TARGET_FILE:tavrello> ${CMAKE_SOURCE_DIR})
# Random input for 60 s with a fixed seed. The ten-minute run is the same script with --seconds 600.
add_test(NAME e2e_soak
         COMMAND /usr/bin/python3 ${E2E_DIR}/soak_test.py $<TARGET_FILE:tavrello> ${CMAKE_SOURCE_DIR} --seconds 60)

set_tests_properties(e2e_smoke PROPERTIES LABELS e2e TIMEOUT 120 ENVIRONMENT "${E2E_ENV}")
set_tests_properties(e2e_play PROPERTIES LABELS e2e TIMEOUT 300 ENVIRONMENT "${E2E_ENV}")
set_tests_properties(e2e_scaling PROPERTIES LABELS e2e TIMEOUT 180 ENVIRONMENT "${E2E_ENV}")
set_tests_properties(e2e_soak PROPERTIES LABELS e2e TIMEOUT 360 ENVIRONMENT "${E2E_ENV}")

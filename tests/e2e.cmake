# End-to-end tests of the real binary on private X displays. Leak checking of the game's code happens
# in-process (display_tests); the real binary unloads the GL driver at exit, whose leftovers LeakSanitizer
# could only report as an unknown module, so these runs check memory errors and undefined behaviour only.
# Their deadlines are generous: they wait for what the screen or a file shows, on a machine busy with builds.
function(add_e2e_test name timeout script)
  add_test(NAME ${name} COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${script}
                                $<TARGET_FILE:tavrello> ${CMAKE_SOURCE_DIR} ${ARGN})
  set_tests_properties(${name} PROPERTIES LABELS e2e TIMEOUT ${timeout} ENVIRONMENT
                       "ALSOFT_DRIVERS=null;ASAN_OPTIONS=detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()

add_e2e_test(e2e_play 600 session_test.py)
add_e2e_test(e2e_scaling 300 session_test.py --wide)
add_e2e_test(e2e_soak 400 soak_test.py 60)
foreach(run no-assets no-device server)
  add_e2e_test(e2e_${run} 300 surroundings_test.py ${run})
endforeach()

# The real binary on private X displays, with the sanitizers' options set by the harness.
function(add_e2e_test name timeout script)
  add_test(NAME ${name} COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${script}
                                $<TARGET_FILE:tavrello> ${CMAKE_SOURCE_DIR} ${ARGN})
  set_tests_properties(${name} PROPERTIES LABELS e2e TIMEOUT ${timeout})
endfunction()
add_e2e_test(e2e_play 600 session_test.py)
add_e2e_test(e2e_scaling 300 session_test.py --wide)
add_e2e_test(e2e_soak 400 soak_test.py 60)
foreach(run no-assets no-device server)
  add_e2e_test(e2e_${run} 300 surroundings_test.py ${run})
endforeach()
set_tests_properties(e2e_play e2e_soak PROPERTIES COST 100)

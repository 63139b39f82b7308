# The real binary on private X displays, with the sanitizers' options set by the harness.
function(add_e2e_test name script)
  add_test(NAME e2e_${name} COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${script}
                                    $<TARGET_FILE:tavrello> ${CMAKE_SOURCE_DIR} ${ARGN})
  set_tests_properties(e2e_${name} PROPERTIES LABELS e2e TIMEOUT 300)
endfunction()
foreach(run play scaling no-assets no-device server device-lost)
  add_e2e_test(${run} session_test.py ${run})
endforeach()
add_e2e_test(soak soak_test.py 60)
set_tests_properties(e2e_play e2e_soak PROPERTIES COST 100 TIMEOUT 600)

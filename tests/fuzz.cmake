# The high-score store's fuzz target, run for a count of inputs, so that a busy machine runs as many.
add_test(NAME highscore_fuzz
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/run_highscore_fuzz.sh ${CMAKE_CURRENT_BINARY_DIR}/fuzz 200000)
# The longest tests carry a cost so that a parallel run starts them first instead of last.
set_tests_properties(highscore_fuzz PROPERTIES LABELS fuzz TIMEOUT 1800 COST 200)

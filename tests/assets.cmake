# The game's pictures against its layout, and against what the generator draws.
add_test(NAME assets_pictures COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/assets/pictures_test.py)
set_tests_properties(assets_pictures PROPERTIES LABELS assets TIMEOUT 300 COST 50)

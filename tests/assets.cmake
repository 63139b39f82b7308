# Checks on the game's pictures (python, no display): sizes that fit the layout, dark ground under what is
# drawn on them, gem kinds distinct in greyscale, and committed pictures identical to what the generator draws.
set(PICTURES_TEST /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/assets/pictures_test.py)
add_test(NAME assets_pictures COMMAND ${PICTURES_TEST} ${CMAKE_SOURCE_DIR}/assets)
add_test(NAME assets_regenerated COMMAND ${PICTURES_TEST} --regenerated)
set_tests_properties(assets_pictures assets_regenerated PROPERTIES LABELS assets TIMEOUT 300)

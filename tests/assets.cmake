# Checks on the game's pictures (python, no display): every catalogue file with sizes that fit
# the layout, dark ground under read-outs, gem kinds distinct in greyscale, and committed
# pictures identical to what tools/art/generate.py draws.
set(ASSET_CHECKS ${CMAKE_SOURCE_DIR}/tests/assets)
add_test(NAME assets_catalogue
         COMMAND /usr/bin/python3 ${ASSET_CHECKS}/check_catalogue.py ${CMAKE_SOURCE_DIR}/assets)
add_test(NAME assets_gems_greyscale
         COMMAND /usr/bin/python3 ${ASSET_CHECKS}/check_gems_greyscale.py ${CMAKE_SOURCE_DIR}/assets)
add_test(NAME assets_readability
         COMMAND /usr/bin/python3 ${ASSET_CHECKS}/check_readability.py ${CMAKE_SOURCE_DIR}/assets)
add_test(NAME assets_deterministic
         COMMAND /usr/bin/python3 ${ASSET_CHECKS}/check_deterministic.py)
set_tests_properties(assets_catalogue assets_gems_greyscale assets_readability
                     assets_deterministic PROPERTIES LABELS assets)
set_tests_properties(assets_deterministic PROPERTIES TIMEOUT 300)

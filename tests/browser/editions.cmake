# The browser proofs of the gadgets' editions: headless Chromium, pages from 127.0.0.1.
# Run alone with: ctest --test-dir build -L browser
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME browser_editions
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_LIST_DIR}/editions_test.py
          $<TARGET_FILE:sitewright-gen>)
set_tests_properties(browser_editions PROPERTIES LABELS browser TIMEOUT 600)

# Every today's edition under a strict Content Security Policy, judged by axe-core and used by
# keyboard; axe-core comes from tests/browser/node_modules (scripts/install-deps.sh).
add_test(NAME browser_strict
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_LIST_DIR}/strict_test.py
          $<TARGET_FILE:sitewright-gen>)
set_tests_properties(browser_strict PROPERTIES LABELS browser TIMEOUT 600)

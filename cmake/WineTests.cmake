# quill_add_wine_test(NAME TARGET [VARIABLE=VALUE…]): runs test program TARGET under Wine as the
# CTest test NAME, one CTest test per program, as under Wine every start costs time. Further
# arguments are settings of the environment for that test, beside the Wine environment that
# tests/windows sets up (the global property quill_wine_environment) before any test is added.
function(quill_add_wine_test name target)
    get_property(environment GLOBAL PROPERTY quill_wine_environment)
    add_test(NAME ${name} COMMAND ${target} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine
        ENVIRONMENT "${environment};${ARGN}" TIMEOUT 600 LABELS windows)
endfunction()

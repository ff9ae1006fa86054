# quill_discover_tests(TARGET LABEL [VARIABLE=VALUE]): the GoogleTest tests of TARGET as CTest
# tests with the label LABEL and that environment. The tests of read-only and unreadable files
# (named *ReadOnly* or *Unreadable*) carry the label "permissions" instead: permissions do not
# bind the superuser, so the test command runs them once more as an ordinary user.
function(quill_discover_tests target label)
    set(permission_tests "*ReadOnly*:*Unreadable*")
    set(environment)
    if(ARGN)
        set(environment ENVIRONMENT ${ARGN})
    endif()
    # NO_PRETTY_VALUES: a named row keeps its name as its CTest name, without the printed row
    # (the bytes of its pointers, different in every build) that CMake would otherwise append.
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
        TEST_FILTER "-${permission_tests}" PROPERTIES LABELS ${label} ${environment})
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
        TEST_FILTER "${permission_tests}" PROPERTIES LABELS permissions ${environment})
endfunction()

# Makes the tests' Wine prefix once; a prefix that is already there is kept.
if(NOT EXISTS "${PREFIX}/system.reg")
    execute_process(COMMAND "${WINEBOOT}" -i RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "wineboot -i failed (${result})")
    endif()
endif()

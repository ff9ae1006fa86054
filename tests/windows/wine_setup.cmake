# Makes the tests' Wine prefix, and the Japanese locale that gives Wine the Japanese code page
# while file names stay UTF-8 on disk. What is already there is kept.
if(NOT EXISTS "${PREFIX}/system.reg")
    execute_process(COMMAND "${WINEBOOT}" -i RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "wineboot -i failed (${result})")
    endif()
endif()
if(NOT EXISTS "${LOCALES}/ja_JP.UTF-8")
    file(MAKE_DIRECTORY "${LOCALES}")
    execute_process(COMMAND "${LOCALEDEF}" -i ja_JP -f UTF-8 "${LOCALES}/ja_JP.UTF-8"
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "localedef ja_JP.UTF-8 failed (${result})")
    endif()
endif()

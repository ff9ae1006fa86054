# Ends the tests' Wine server and waits until it is gone; a server that already left is fine.
execute_process(COMMAND "${WINESERVER}" -k OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND "${WINESERVER}" -w RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the Wine server did not stop (${result})")
endif()

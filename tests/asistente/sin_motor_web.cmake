# The wizard must start without the web engine: its dynamic dependencies must
# include the widget library and no library of the web engine.
execute_process(COMMAND ldd ${PROGRAMA} OUTPUT_VARIABLE salida ERROR_VARIABLE errores RESULT_VARIABLE r)
if(NOT r EQUAL 0)
    message(FATAL_ERROR "ldd falló (${r}): ${errores}")
endif()
if(NOT salida MATCHES "libQt6Widgets")
    message(FATAL_ERROR "salida de ldd inesperada, sin libQt6Widgets:\n${salida}")
endif()
if(salida MATCHES "libQt6WebEngine")
    message(FATAL_ERROR "ntxasistente carga el motor web:\n${salida}")
endif()

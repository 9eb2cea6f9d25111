# cmake -DCARPETA=<build> -DOBJETIVO=<target> -DESPERADO=<regex> -P nucleo_rechaza.cmake
#
# Passes only when building the target fails AND the build output shows the
# expected refusal (the widget header missing, or its symbols missing at link):
# an unrelated error (a typo, a full disk) must not count as the nucleus
# refusing widgets.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${CARPETA} --target ${OBJETIVO}
                RESULT_VARIABLE resultado OUTPUT_VARIABLE salida ERROR_VARIABLE salida)
if(resultado EQUAL 0)
    message(FATAL_ERROR "${OBJETIVO} se compiló: el núcleo alcanzó los widgets.\n${salida}")
endif()
if(NOT salida MATCHES "${ESPERADO}")
    message(FATAL_ERROR "${OBJETIVO} falló por otra causa (se esperaba: ${ESPERADO}).\n${salida}")
endif()
message(STATUS "${OBJETIVO} rechazado como se esperaba")

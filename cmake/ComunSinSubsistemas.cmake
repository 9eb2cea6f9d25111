# src/comun/ is the floor under the subsystems: it includes only the platform, Qt
# and itself. Fails naming each file of src/comun/ that includes a subsystem or the shell.
set(infractores "")
file(GLOB_RECURSE archivos ${RAIZ}/src/comun/*.h ${RAIZ}/src/comun/*.cpp)
foreach(archivo ${archivos})
    file(STRINGS ${archivo} lineas
         REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](agenda|asistente|comando|envio|historial|mejoras|shell|simulador)/")
    if(lineas)
        list(APPEND infractores "${archivo}: ${lineas}")
    endif()
endforeach()
if(infractores)
    message(FATAL_ERROR "src/comun/ incluye subsistemas: ${infractores}")
endif()

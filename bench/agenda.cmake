# Contact store: refresh of the quick slots and the recipient lookup with 10,000 contacts.
if(NOT NTX_SOLO_NUCLEO)
    ntx_bench(bench_agenda
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_agenda.cpp
        LIBS ntxventanas ntxdobles)
endif()
if(NOT NTX_SOLO_NUCLEO)
    ntx_bench(bench_agenda_inicio SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_agenda_inicio.cpp LIBS ntxplataforma)
    target_compile_definitions(bench_agenda_inicio PRIVATE NTX_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
    target_link_libraries(bench_agenda_inicio PRIVATE Qt6::Network)
    add_dependencies(bench_agenda_inicio ntxmensajes ntxsimulador ntx_logica bench_motor_desnudo)
    add_executable(bench_motor_desnudo ${CMAKE_CURRENT_LIST_DIR}/motor_desnudo.cpp)
    target_link_libraries(bench_motor_desnudo PRIVATE ntx_opciones Qt6::WebEngineWidgets)
endif()
# Agenda file export and import, and opening the address book, with 10,000 contacts.
if(NOT NTX_SOLO_NUCLEO)
    ntx_bench(bench_agenda_archivo SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_agenda_archivo.cpp LIBS ntxventanas ntxdobles)
endif()

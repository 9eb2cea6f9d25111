# ntxsimulador: start-up until the NTX_ lines are out, one Personal page over
# HTTP, and drawing one verification image.
if(TARGET ntxsimulador_lib)
    ntx_bench(bench_simulador SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_simulador.cpp LIBS ntxsimulador_lib Qt6::Network)
    target_compile_definitions(bench_simulador PRIVATE NTX_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
    add_dependencies(bench_simulador ntxsimulador)
endif()

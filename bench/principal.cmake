# The main window against ntxsimulador: start to the three pages loaded, and the
# memory of the whole process tree with them loaded.
if(NOT NTX_SOLO_NUCLEO)
    ntx_bench(bench_frmbrowser SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/bench_frmbrowser.cpp LIBS ntxventanas ntxdobles)
    target_compile_definitions(bench_frmbrowser PRIVATE NTX_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
    add_dependencies(bench_frmbrowser ntxsimulador ntx_logica)
endif()

# Composer: the text-change pass, typing a whole message, abbreviation files.
ntx_bench(bench_mejoras_nucleo SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_mejoras_nucleo.cpp LIBS ntxdobles_nucleo)
if(NOT NTX_SOLO_NUCLEO)
    ntx_bench(bench_mejoras
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_mejoras.cpp
        LIBS ntxventanas ntxdobles)
endif()

# A message to 200 recipients: the list, the checks and the summary; memory per delivered message.
if(NOT NTX_SOLO_NUCLEO)
    ntx_bench(bench_cola SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_cola.cpp LIBS ntxventanas ntxdobles)
endif()

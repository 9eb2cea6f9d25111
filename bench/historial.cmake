# Message store: read, append and delete one record with 100,000 records.
ntx_bench(bench_historial SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_historial.cpp LIBS ntxnucleo)
# History window: open, sort and delete one with 100,000 records.
if(NOT NTX_SOLO_NUCLEO)
    ntx_bench(bench_frmhistorial SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_frmhistorial.cpp LIBS ntxventanas ntxdobles)
endif()

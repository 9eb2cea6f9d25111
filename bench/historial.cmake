# Message store: read, append and delete one record with 100,000 records.
ntx_bench(bench_historial SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_historial.cpp LIBS ntxnucleo)

# Contacts from other programs (10,000 vCards read, split and previewed; 10,000 stored)
# and the history's search and CSV export over 100,000 records.
ntx_bench(bench_importar SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_importar.cpp LIBS ntxnucleo)

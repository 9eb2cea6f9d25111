# ntx_prueba(<name> SOURCES ... [LIBS ...] [WEB] [E2E] [NUCLEO] [TIMEOUT s])
#
# One place registers every test with the headless environment. WEB tests load
# the web engine (sandbox off, no GPU); E2E tests talk to the real simulator and
# carry the "e2e" label. NUCLEO tests link only the toolkit-free library and are
# the ones the sanitizer build runs.
function(ntx_prueba nombre)
    cmake_parse_arguments(P "WEB;E2E;NUCLEO" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NTX_SOLO_NUCLEO AND NOT P_NUCLEO)
        return()
    endif()
    add_executable(${nombre} ${P_SOURCES})
    target_link_libraries(${nombre} PRIVATE ntx_opciones Qt6::Test ${P_LIBS})
    target_include_directories(${nombre} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_compile_definitions(${nombre} PRIVATE
        NTX_DATOS_PRUEBA="${CMAKE_SOURCE_DIR}/tests/datos"
        NTX_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
    add_test(NAME ${nombre} COMMAND ${nombre})
    set(entorno "QT_QPA_PLATFORM=offscreen" "LC_ALL=C.UTF-8" "QT_LOGGING_RULES=qt.qpa.*=false")
    set(etiquetas "")
    if(P_NUCLEO)
        list(APPEND etiquetas nucleo)
    endif()
    if(P_WEB OR P_E2E)
        # The engine's profile folder is per test: a profile in use by another run on the
        # same machine (another build folder, the demonstration) makes loads stall.
        list(APPEND entorno "QTWEBENGINE_DISABLE_SANDBOX=1" "QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu"
             "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/datos-prueba/${nombre}")
    endif()
    if(P_E2E)
        list(APPEND etiquetas e2e)
    endif()
    if(P_WEB OR P_E2E)
        # One web engine at a time: on two cores a second one starves the first's timings.
        set_tests_properties(${nombre} PROPERTIES RESOURCE_LOCK motor_web)
    endif()
    if(NOT P_TIMEOUT)
        set(P_TIMEOUT 300)
    endif()
    set_tests_properties(${nombre} PROPERTIES ENVIRONMENT "${entorno}" TIMEOUT ${P_TIMEOUT}
                                              LABELS "${etiquetas}")
endfunction()

# ntx_literales_ascii(<dir>): every target defined under <dir> may turn plain
# literals into QStrings (see ntx_opciones); tests and benchmarks compare
# against literal expectations on nearly every line.
function(ntx_literales_ascii dir)
    get_property(objetivos DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(objetivo ${objetivos})
        set_property(TARGET ${objetivo} PROPERTY NTX_LITERALES_ASCII ON)
    endforeach()
    get_property(subdirectorios DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdirectorio ${subdirectorios})
        ntx_literales_ascii(${subdirectorio})
    endforeach()
endfunction()

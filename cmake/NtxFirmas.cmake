# Update signatures. The client trusts one Ed25519 public key, built in:
#  - NTX_CLAVE_FABRICANTE: the maker's public key (64 hex digits), for packages;
#  - otherwise, with NTX_CLAVE_DESARROLLO on, a pair made once in <build>/claves
#    (the simulator signs with its secret half; it never leaves the build folder);
#  - otherwise none: the program refuses every downloaded installer and says why.
set(NTX_CLAVE_FABRICANTE "" CACHE STRING "Clave pública Ed25519 del fabricante (64 dígitos hexadecimales)")
option(NTX_CLAVE_DESARROLLO "Sin clave del fabricante, confiar en un par de claves hecho en la carpeta de compilación"
       ON)

set(NTX_CARPETA_CLAVES ${CMAKE_BINARY_DIR}/claves)
set(ntx_fuente_clave ${CMAKE_BINARY_DIR}/generado/clavefabricante.cpp)
string(STRIP "${NTX_CLAVE_FABRICANTE}" ntx_clave)

if(ntx_clave)
    if(NOT ntx_clave MATCHES "^[0-9A-Fa-f]+$")
        message(FATAL_ERROR "NTX_CLAVE_FABRICANTE debe tener 64 dígitos hexadecimales")
    endif()
    string(LENGTH "${ntx_clave}" ntx_largo)
    if(NOT ntx_largo EQUAL 64)
        message(FATAL_ERROR "NTX_CLAVE_FABRICANTE debe tener 64 dígitos hexadecimales")
    endif()
    file(CONFIGURE OUTPUT ${ntx_fuente_clave} CONTENT "// Generated: the maker's key given to CMake.
#include \"comando/clavefabricante.h\"

QByteArray ClavePublicaFabricante()
{
    return QByteArray::fromHex(QByteArrayLiteral(\"${ntx_clave}\"));
}
")
    message(STATUS "Firmas de actualizaciones: clave del fabricante")
elseif(NTX_CLAVE_DESARROLLO)
    add_executable(ntxclavesdesarrollo ${CMAKE_SOURCE_DIR}/src/comando/clavesdesarrollo.cpp)
    target_link_libraries(ntxclavesdesarrollo PRIVATE ntx_opciones PkgConfig::SODIUM)
    add_custom_command(
        OUTPUT ${ntx_fuente_clave} ${NTX_CARPETA_CLAVES}/actualizaciones.pub ${NTX_CARPETA_CLAVES}/actualizaciones.clave
        COMMAND ntxclavesdesarrollo ${NTX_CARPETA_CLAVES} ${ntx_fuente_clave}
        DEPENDS ntxclavesdesarrollo
        COMMENT "Par de claves de desarrollo para firmar actualizaciones")
    # One target drives the command; the client and the simulator wait for it.
    add_custom_target(ntx_claves DEPENDS ${ntx_fuente_clave} ${NTX_CARPETA_CLAVES}/actualizaciones.clave)
    add_dependencies(ntxventanas ntx_claves)
    add_dependencies(ntxsimulador_lib ntx_claves)
    message(STATUS "Firmas de actualizaciones: clave de desarrollo en ${NTX_CARPETA_CLAVES}")
else()
    file(CONFIGURE OUTPUT ${ntx_fuente_clave} CONTENT "// Generated: built without a maker's key.
#include \"comando/clavefabricante.h\"

QByteArray ClavePublicaFabricante()
{
    return {};
}
")
    message(STATUS "Firmas de actualizaciones: sin clave (se rechaza toda actualización)")
endif()

target_sources(ntxventanas PRIVATE ${ntx_fuente_clave})
# The simulator signs with the development key when there is one.
target_compile_definitions(ntxsimulador_lib PRIVATE
    NTX_CLAVE_SECRETA_DESARROLLO="${NTX_CARPETA_CLAVES}/actualizaciones.clave")

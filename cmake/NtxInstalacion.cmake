# Installing like a Linux program (cmake --install), and the .deb built by CPack
# from the same rules. The programs find their local pages next to the
# executable in a build, and in ../share/ntx-mensajes once installed.
include(GNUInstallDirs)

install(TARGETS ntxmensajes ntxasistente RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/logica DESTINATION ${CMAKE_INSTALL_DATADIR}/ntx-mensajes)

foreach(lado 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/recursos/hicolor/${lado}x${lado}/ntx-mensajes.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lado}x${lado}/apps)
endforeach()
# The same picture as the windows' icon, for docks and launchers at any scale.
install(FILES ${CMAKE_SOURCE_DIR}/recursos/iconos/ntx.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ntx-mensajes.svg)
install(FILES ${CMAKE_SOURCE_DIR}/distribucion/ar.com.ntxvarel.mensajes.desktop
              ${CMAKE_SOURCE_DIR}/distribucion/ar.com.ntxvarel.mensajes.asistente.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The release line of the metainfo comes from the one version in CMakeLists.txt.
configure_file(${CMAKE_SOURCE_DIR}/distribucion/ar.com.ntxvarel.mensajes.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/ar.com.ntxvarel.mensajes.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/ar.com.ntxvarel.mensajes.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the changelog compressed as Debian wants them: best
# compression, no name or time in the gzip header (the package is reproducible).
find_program(NTX_GZIP gzip REQUIRED)
set(comprimidos)
foreach(fuente man/ntxmensajes.1 man/ntxasistente.1 changelog)
    get_filename_component(nombre ${fuente} NAME)
    set(destino ${CMAKE_BINARY_DIR}/distribucion/${nombre}.gz)
    add_custom_command(OUTPUT ${destino}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/distribucion
                       COMMAND sh -c "\"$0\" -9n -c \"$1\" > \"$2\"" ${NTX_GZIP}
                               ${CMAKE_SOURCE_DIR}/distribucion/${fuente} ${destino}
                       DEPENDS ${CMAKE_SOURCE_DIR}/distribucion/${fuente} VERBATIM)
    list(APPEND comprimidos ${destino})
endforeach()
add_custom_target(ntx_distribucion ALL DEPENDS ${comprimidos})
install(FILES ${CMAKE_BINARY_DIR}/distribucion/ntxmensajes.1.gz ${CMAKE_BINARY_DIR}/distribucion/ntxasistente.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The licence in Debian's machine-readable form (the GPL's text is in
# common-licenses on every Debian system), and the release history.
install(FILES ${CMAKE_SOURCE_DIR}/distribucion/copyright ${CMAKE_BINARY_DIR}/distribucion/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ntx-mensajes)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ntx-mensajes)
set(CPACK_PACKAGE_VENDOR "ntxVarel!")
set(CPACK_PACKAGE_CONTACT "NTX Mensajes <mensajes@ntxvarel.com.ar>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mensajes de texto gratis a celulares desde la computadora")
# One string (several would be joined with ";"), in lines of at most 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "NTX Mensajes envía mensajes de texto (SMS) gratis a celulares de Claro y\n\
Personal (Argentina) y de Movilnet (Venezuela) completando por usted los\n\
formularios web de cada operador. Incluye agenda, abreviaturas, historial de\n\
mensajes enviados y un asistente de primera ejecución.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.ntxvarel.com.ar/")
# dpkg-shlibdeps finds the libraries (and, through the web engine's shlibs, its
# helper process); what it cannot see: Qt's own Spanish texts, loaded at run time,
# the font that stands in for Tahoma, and Qt's SVG plugins, through which the
# windows' pictures (drawn as SVG) are read.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation, libqt6svg6")
# A verified update is handed to the desktop's handler for its type (xdg-open, or
# gio open); without either the client says where the file was saved.
# Under a Wayland session Qt needs its Wayland plugin; without it the programs
# fall back to XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils | libglib2.0-bin, qt6-wayland")
include(CPack)

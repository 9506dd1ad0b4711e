# Desktop integration: one reverse-DNS name for the desktop entry, the icon and the metainfo.
set(QRN_APP_ID org.quorlen.Quorlen)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${QRN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${QRN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/qrn.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QRN_APP_ID}.svg)
# The manual page goes in compressed (gzip -9n: no name or time stamp, so the same bytes each build).
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/qrn.1.gz
                   COMMAND gzip -9n < ${PROJECT_SOURCE_DIR}/docs/qrn.1 > ${PROJECT_BINARY_DIR}/qrn.1.gz
                   DEPENDS ${PROJECT_SOURCE_DIR}/docs/qrn.1 VERBATIM)
add_custom_target(qrn_manpage ALL DEPENDS ${PROJECT_BINARY_DIR}/qrn.1.gz)
add_dependencies(qrn qrn_manpage)
install(FILES ${PROJECT_BINARY_DIR}/qrn.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(EXISTS ${PROJECT_SOURCE_DIR}/resources/ref)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/ref DESTINATION ${CMAKE_INSTALL_DATADIR}/qrn)
endif()

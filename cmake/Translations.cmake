# Translations: translations/qrn_<language>.ts becomes qrn_<language>.qm in share/qrn/translations,
# both beside the binaries in the build folder (where build/qrn and the tests look) and under the
# install prefix. `cmake --build build --target update_translations` brings the .ts files up to
# date with the texts in the code.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

file(GLOB QRN_TS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/qrn_*.ts)
set_source_files_properties(${QRN_TS_FILES} PROPERTIES OUTPUT_LOCATION ${PROJECT_BINARY_DIR}/share/qrn/translations)
qt_add_lupdate(qrn_core TS_FILES ${QRN_TS_FILES} SOURCES ${QRN_CORE_SOURCES} OPTIONS -no-obsolete -locations none)
qt_add_lrelease(qrn_core TS_FILES ${QRN_TS_FILES} QM_FILES_OUTPUT_VARIABLE QRN_QM_FILES)
install(FILES ${QRN_QM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/qrn/translations)

include(CMakePackageConfigHelpers)

install(TARGETS qrxcc qrxcore EXPORT qrxccTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES include/qrxcc.h include/qrxcore.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT qrxccTargets NAMESPACE qrxcc:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/qrxcc)

configure_package_config_file(cmake/qrxccConfig.cmake.in
  ${PROJECT_BINARY_DIR}/qrxccConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/qrxcc)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/qrxccConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/qrxccConfig.cmake ${PROJECT_BINARY_DIR}/qrxccConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/qrxcc)

configure_file(cmake/qrxcc.pc.in ${PROJECT_BINARY_DIR}/qrxcc.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/qrxcc.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

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

# The .pc file locates the prefix relative to itself, so the tree can move.
file(RELATIVE_PATH QRX_PC_TO_PREFIX "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
configure_file(cmake/qrxcc.pc.in ${PROJECT_BINARY_DIR}/qrxcc.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/qrxcc.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

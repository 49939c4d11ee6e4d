# Packages, API documentation and the guide's examples.
#
#   cpack -G DEB   -> qrxcc_<version>_<arch>.deb: shared libraries (SONAME from
#                     QRXCC_SOVERSION), header files, CMake and pkg-config files,
#                     and qrxconvert when it is built
#   cpack -G TGZ   -> qrxcc-<version>-Linux.tar.gz with the same files
#   make docs      -> HTML reference of include/qrxcc.h (only when doxygen is found)

set(CPACK_PACKAGE_NAME qrxcc)
set(CPACK_PACKAGE_VENDOR "qrxcc developers")
set(CPACK_PACKAGE_CONTACT "qrxcc developers <qrxcc-dev@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Colour-conversion primitives for in-memory images")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(CPACK_PACKAGE_VERSION_MINOR ${PROJECT_VERSION_MINOR})
set(CPACK_PACKAGE_VERSION_PATCH ${PROJECT_VERSION_PATCH})
if(NOT CPACK_GENERATOR)
  set(CPACK_GENERATOR "DEB;TGZ")
endif()
set(CPACK_STRIP_FILES OFF)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The synopsis is the summary above; CPack indents the long description itself.
set(CPACK_PACKAGE_DESCRIPTION
  "Bit-exact conversions between RGB, YCbCr (4:4:4, 4:2:2, 4:2:0, 4:1:1), YUV,
16-bit packed RGB, HSV, HLS, YCC, YCoCg, XYZ, LUV and Lab, with gray, gamma,
colour twist and bit-depth reduction: the shared libraries, the C header files,
CMake and pkg-config files, and the qrxconvert command-line converter.")
# Run-time dependencies from the binaries; a shlibs file and the ldconfig
# trigger for the shared libraries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")

include(CPack)

# ---- API documentation --------------------------------------------------------
find_package(Doxygen QUIET)
if(DOXYGEN_FOUND)
  configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${PROJECT_BINARY_DIR}/Doxyfile @ONLY)
  add_custom_target(docs
    COMMAND ${DOXYGEN_EXECUTABLE} ${PROJECT_BINARY_DIR}/Doxyfile
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    COMMENT "API reference: ${PROJECT_BINARY_DIR}/docs/html/index.html"
    VERBATIM)
endif()

# ---- the guide's examples: compiled and run against the built library ---------
if(QRX_BUILD_TESTS)
  set(QRX_EXAMPLE_FLAGS "")
  if(QRX_SANITIZE)
    set(QRX_EXAMPLE_FLAGS "-fsanitize=${QRX_SANITIZE}")
  endif()
  add_test(NAME docs.examples
    COMMAND ${PROJECT_SOURCE_DIR}/docs/examples/run_examples.sh ${CMAKE_C_COMPILER}
            ${PROJECT_SOURCE_DIR}/include $<TARGET_FILE_DIR:qrxcc> "${QRX_EXAMPLE_FLAGS}")
  set_tests_properties(docs.examples PROPERTIES ENVIRONMENT "QRX_EMULATOR=${QRX_EMULATOR}")
endif()

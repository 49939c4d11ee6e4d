# Packages, API documentation and the guide's examples.
#
#   cpack -G DEB   -> qrxcc_<version>_<arch>.deb: shared libraries (SONAME from
#                     QRXCC_SOVERSION), header files, CMake and pkg-config files,
#                     and qrxconvert when it is built; python3-qrxcc_<version>_<arch>.deb:
#                     the Python package, when it is built
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

# One .deb per install component: the library (the unnamed component) and the Python package.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING IGNORE)
set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME qrxcc)
set(CPACK_COMPONENT_UNSPECIFIED_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}\n${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-qrxcc)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SHLIBDEPS OFF)
math(EXPR QRX_PY_NEXT_MINOR "${Python3_VERSION_MINOR} + 1")
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
  "qrxcc (= ${PROJECT_VERSION}), python3 (>= 3.${Python3_VERSION_MINOR}), python3 (<< 3.${QRX_PY_NEXT_MINOR}), python3-numpy")
set(CPACK_DEBIAN_PYTHON_PACKAGE_RECOMMENDS "python3-dask, python3-distributed")
set(CPACK_COMPONENT_PYTHON_DESCRIPTION "Python package of qrxcc (NumPy and Dask)
qrxcc.convert between the formats of qrxconvert on NumPy arrays, qrxcc.lib with
every C function of the library (bounds-checked arrays) and qrxcc.dask.convert
for Dask arrays of frames or rows.")

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
    if(CMAKE_C_COMPILER_ID MATCHES "Clang")
      # the library's C++ checks call clang's C++ sanitizer runtime (and it the C++
      # library), which clang's C driver leaves out
      string(APPEND QRX_EXAMPLE_FLAGS " -fsanitize-link-c++-runtime -lstdc++")
    endif()
  endif()
  add_test(NAME docs.examples
    COMMAND ${PROJECT_SOURCE_DIR}/docs/examples/run_examples.sh ${CMAKE_C_COMPILER}
            ${PROJECT_SOURCE_DIR}/include $<TARGET_FILE_DIR:qrxcc> "${QRX_EXAMPLE_FLAGS}")
  set_tests_properties(docs.examples PROPERTIES ENVIRONMENT "QRX_EMULATOR=${QRX_EMULATOR}")
endif()

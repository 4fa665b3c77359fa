# Installs the libraries, their public headers, a CMake package giving the
# target ydbcln::ydbcln (with the database component and the text module it
# links), and a pkg-config file ydbcln.pc.
include(CMakePackageConfigHelpers)

set(YDBCLN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ydbcln)

install(TARGETS ydbtext ydbdb ydbcln EXPORT ydbclnTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Public headers keep their paths: <ydbcln/session/YHorseDB.h> from the
# include root, and the component's <db/api/ydbbsn.h>, <text/sjis.h> from
# include/ydbcln, which the exported targets also put on the include path.
install(DIRECTORY ydbcln/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ydbcln
  FILES_MATCHING PATTERN "*.h" PATTERN "*_test.h" EXCLUDE
  PATTERN "engine" EXCLUDE)  # the theory engine's internals
install(FILES text/sjis.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ydbcln/text)
install(DIRECTORY db/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ydbcln/db
  FILES_MATCHING PATTERN "*.h" PATTERN "*_test.h" EXCLUDE)

install(EXPORT ydbclnTargets NAMESPACE ydbcln:: DESTINATION ${YDBCLN_CMAKE_DIR})
configure_package_config_file(cmake/ydbclnConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/ydbclnConfig.cmake INSTALL_DESTINATION ${YDBCLN_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/ydbclnConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ydbclnConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/ydbclnConfigVersion.cmake DESTINATION ${YDBCLN_CMAKE_DIR})

# The .pc file finds the prefix from its own place, so the package can be
# installed under any --prefix.
file(RELATIVE_PATH YDBCLN_PC_TO_PREFIX "/p/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/p")
configure_file(cmake/ydbcln.pc.in ${CMAKE_CURRENT_BINARY_DIR}/ydbcln.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ydbcln.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

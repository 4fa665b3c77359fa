# Installs the libraries, their public headers, a CMake package giving the
# targets ydbcln::ydbcln (the class library, with the text module),
# ydbcln::ydbdb (the database component's contract and the data-set
# administration), ydbcln::ydbworld and ydbcln::ydbexchange, and a
# pkg-config file ydbcln.pc. Installed libraries and programs find each
# other by a run path relative to their own place.
include(CMakePackageConfigHelpers)

set(YDBCLN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ydbcln)

install(TARGETS ydbtext ydbdb ydbcln ydbworld ydbexchange EXPORT ydbclnTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Only the public headers are installed, keeping their paths:
# <ydbcln/ydbcln.h> and the classes from the include root; the database
# component's contract (<db/api/ydbbsn.h>, its record buffers, the data-set
# administration <db/api/DataSet.h> and its Status), <text/sjis.h>
# and the generator's and exchange's own headers from include/ydbcln, which
# the exported targets also put on the include path. The library's helper
# headers (record offsets, fills, code tables) stay inside; the guard against
# memory running short is installed, since the search template uses it.
set(ydbcln_internal_headers
  entity/FetchRecord.h entity/PersonFigures.h entity/RowFigures.h
  race/CommentRec.h race/CommentText.h race/DayRows.h race/OddsRec.h
  race/PayoutRec.h race/RaceHeaderTexts.h race/RaceTexts.h race/RecordBuffer.h
  race/RecordFields.h race/SortedOddsRec.h search/RaceConditionText.h search/SearchRows.h
  session/SessionReady.h session/YUtil_tables.h session/ydblib.h)
set(ydbcln_install_excludes)
foreach(header IN LISTS ydbcln_internal_headers)
  list(APPEND ydbcln_install_excludes PATTERN ${header} EXCLUDE)
endforeach()
install(DIRECTORY ydbcln/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ydbcln
  FILES_MATCHING PATTERN "*.h" PATTERN "*_test.h" EXCLUDE
  PATTERN "engine" EXCLUDE  # the theory engine's internals
  ${ydbcln_install_excludes})
set(ydbcln_component_headers
  text/sjis.h db/base/Status.h db/base/DataSetCounts.h db/base/GeneratedWorld.h
  db/base/Date.h db/base/RaceKey.h
  db/api/ybl.h db/api/ydbbsn.h db/api/ydbcross.h db/api/ydbrange.h db/api/yddb.h db/api/RecordBuffer.h
  db/api/DataSet.h
  world/GenerateSeasons.h world/WorldReport.h exchange/ExchangeFiles.h exchange/JraPlaces.h
  exchange/JvDataFiles.h)
foreach(header IN LISTS ydbcln_component_headers)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ydbcln/${folder})
endforeach()

# The same list, written for the layer check: the command line may include
# these and nothing else of the project's.
file(GLOB_RECURSE ydbcln_class_headers RELATIVE ${PROJECT_SOURCE_DIR}
  ${PROJECT_SOURCE_DIR}/ydbcln/*.h)
list(FILTER ydbcln_class_headers EXCLUDE REGEX "(_test\\.h$|/engine/)")
foreach(header IN LISTS ydbcln_internal_headers)
  list(REMOVE_ITEM ydbcln_class_headers ydbcln/${header})
endforeach()
string(REPLACE ";" "\n" public_lines "${ydbcln_class_headers};${ydbcln_component_headers}")
file(WRITE ${CMAKE_BINARY_DIR}/public-headers.txt "${public_lines}\n")

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

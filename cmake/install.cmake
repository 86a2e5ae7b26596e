# `make install`: the two libraries with their SONAMEs, the public headers,
# a CMake package (find_package(lumoria) gives lumoria::lumoria and
# lumoria::Quorvex) and a pkg-config file for each library.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/lumoria)

install(TARGETS lumoria Quorvex EXPORT lumoriaTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES include/lumoria.h include/Quorvex.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT lumoriaTargets NAMESPACE lumoria:: DESTINATION ${PACKAGE_DIR})

configure_package_config_file(cmake/lumoriaConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/lumoriaConfig.cmake INSTALL_DESTINATION ${PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/lumoriaConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/lumoriaConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/lumoriaConfigVersion.cmake
        DESTINATION ${PACKAGE_DIR})

# The pkg-config files find the prefix from their own place, so that an
# install moved with DESTDIR or `cmake --install --prefix` still works.
file(RELATIVE_PATH PKGCONFIG_TO_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
foreach(library lumoria Quorvex)
  configure_file(cmake/library.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${library}.pc @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${library}.pc
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()

# Installation: the plug-in, the model library, the public headers, the message catalogue and
# vex, with a package configuration for find_package(VexData). The layout is fixed
# (not GNUInstallDirs) because vex finds the plug-in in ../lib and the catalogue in
# ../share/vexdata relative to its own directory.
include(CMakePackageConfigHelpers)
set(VEX_INSTALL_LIBDIR lib)
set(VEX_INSTALL_INCLUDEDIR include/vexdata)
set(VEX_INSTALL_DATADIR share/vexdata)
set(VEX_INSTALL_CMAKEDIR lib/cmake/VexData)
# The installed plug-in finds the model library beside itself.
set_target_properties(VexData PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS PenFormatData VexData EXPORT VexDataTargets
  LIBRARY DESTINATION ${VEX_INSTALL_LIBDIR}
  RUNTIME DESTINATION bin)
# What a program that links the plug-in's exported classes or calls its entry points includes,
# with everything those headers include in turn; the reader's and writer's internals stay out.
file(GLOB VEX_MODEL_HEADERS ${CMAKE_SOURCE_DIR}/model/*.hxx)
install(FILES
  ${VEX_MODEL_HEADERS}
  ${CMAKE_SOURCE_DIR}/entry/VexData.hxx
  ${CMAKE_SOURCE_DIR}/format/VexData_Macro.hxx
  ${CMAKE_SOURCE_DIR}/format/VexData_ReadStatus.hxx
  ${CMAKE_SOURCE_DIR}/format/VexData_WriteStatus.hxx
  ${CMAKE_SOURCE_DIR}/reader/VexData_Reader.hxx
  ${CMAKE_SOURCE_DIR}/writer/VexData_Writer.hxx
  DESTINATION ${VEX_INSTALL_INCLUDEDIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/VexData.msg DESTINATION ${VEX_INSTALL_DATADIR})
install(EXPORT VexDataTargets NAMESPACE VexData:: DESTINATION ${VEX_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/VexDataConfig.cmake.in
  ${CMAKE_BINARY_DIR}/VexDataConfig.cmake
  INSTALL_DESTINATION ${VEX_INSTALL_CMAKEDIR}
  PATH_VARS VEX_INSTALL_INCLUDEDIR VEX_INSTALL_DATADIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/VexDataConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/VexDataConfig.cmake ${CMAKE_BINARY_DIR}/VexDataConfigVersion.cmake
  DESTINATION ${VEX_INSTALL_CMAKEDIR})

# Installed, vex finds its libraries (the model library it links, the plug-in it loads) in
# ../lib and the catalogue in ../share/vexdata.
set_target_properties(vex PROPERTIES INSTALL_RPATH "$ORIGIN/../${VEX_INSTALL_LIBDIR}")
install(TARGETS vex RUNTIME DESTINATION bin)

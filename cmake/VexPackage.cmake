# cpack -G DEB: one Debian package with everything VexInstall.cmake installs, under /usr.
set(CPACK_PACKAGE_NAME vexdata)
set(CPACK_PACKAGE_VENDOR "VexData developers")
set(CPACK_PACKAGE_CONTACT "VexData developers <vexdata@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Machine-file import/export plug-in of a PCB CAM host, its model library and the vex tool")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Building against the public headers needs OpenCASCADE's headers too.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libocct-foundation-dev)
set(CPACK_STRIP_FILES ON)
include(CPack)

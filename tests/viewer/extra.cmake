# The picture server of the viewer tests uses Debian's compiled cpp-httplib,
# with the flags it was built with.
find_package(PkgConfig REQUIRED)
pkg_check_modules(KELVORA_VIEWER_HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
target_link_libraries(viewer_tests PRIVATE PkgConfig::KELVORA_VIEWER_HTTPLIB)

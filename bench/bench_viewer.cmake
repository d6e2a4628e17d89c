# The steps fetch their pictures from a cpp-httplib server on 127.0.0.1; Debian
# ships it as a compiled library whose pkg-config flags must match its build.
find_package(PkgConfig REQUIRED)
pkg_check_modules(KELVORA_BENCH_VIEWER_HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
target_link_libraries(bench_viewer PRIVATE PkgConfig::KELVORA_BENCH_VIEWER_HTTPLIB)

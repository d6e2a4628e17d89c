# The benchmark serves its page with cpp-httplib, which Debian ships as a
# compiled library; its pkg-config flags must match the library's build.
find_package(PkgConfig REQUIRED)
pkg_check_modules(KELVORA_BENCH_HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
target_link_libraries(bench_fetch PRIVATE PkgConfig::KELVORA_BENCH_HTTPLIB)

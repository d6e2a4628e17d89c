# The TLS test runs a loopback HTTPS server of cpp-httplib. Debian ships it as
# a compiled library; its pkg-config flags (OpenSSL support on) must match.
find_package(PkgConfig REQUIRED)
pkg_check_modules(KELVORA_FETCH_HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
target_link_libraries(fetch_tests PRIVATE PkgConfig::KELVORA_FETCH_HTTPLIB)

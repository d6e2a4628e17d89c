# The start-up tests run the real executable too.
add_dependencies(app_tests kelvora)
target_compile_definitions(app_tests PRIVATE KELVORA_EXECUTABLE="$<TARGET_FILE:kelvora>")

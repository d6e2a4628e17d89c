# The tests compare what the program writes with the built engine file, and
# load that file directly to call its entry point with shifts.
target_link_libraries(skin_tests PRIVATE kelvora_skin_format ${CMAKE_DL_LIBS})
target_compile_definitions(skin_tests PRIVATE
  KELVORA_SKIN_ENGINE_FILE="$<TARGET_FILE:kelvora_skin_engine>")
add_dependencies(skin_tests kelvora_skin_engine)

# Embeds the built skin engine library into the window library, and links the
# skin format that the built-in skins are written in.
set(skin_engine_image_source ${CMAKE_CURRENT_BINARY_DIR}/skin_engine_image.cpp)
add_custom_command(
  OUTPUT ${skin_engine_image_source}
  COMMAND ${CMAKE_COMMAND} -DINPUT=$<TARGET_FILE:kelvora_skin_engine>
          -DOUTPUT=${skin_engine_image_source} -P ${CMAKE_CURRENT_LIST_DIR}/embed_file.cmake
  DEPENDS kelvora_skin_engine ${CMAKE_CURRENT_LIST_DIR}/embed_file.cmake
  COMMENT "Embedding the skin engine library"
  VERBATIM)
target_sources(kelvora_window PRIVATE ${skin_engine_image_source})
target_link_libraries(kelvora_window PUBLIC kelvora_skin_format)

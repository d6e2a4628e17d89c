# The window's embedded data: icon sizes and the fixed picture of 图片框2.
target_sources(kelvora_window PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/resources/window.qrc)

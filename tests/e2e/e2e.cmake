# End-to-end test: the real program under Xvfb, driven with xdotool, against a
# fixture site served by the demo site server at the build's directory host.
find_package(X11)
if(NOT X11_FOUND)
  message(STATUS "e2e: no X11 development files, the end-to-end test is left out")
  return()
endif()

# Sends WM_DELETE_WINDOW, so that the window can be closed without a window manager.
add_executable(kelvora_close_window ${CMAKE_CURRENT_LIST_DIR}/close_window.cpp)
target_link_libraries(kelvora_close_window PRIVATE X11::X11)

add_test(NAME e2e_harvest_then_view
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/harvest_e2e.sh
          $<TARGET_FILE:kelvora> $<TARGET_FILE:kelvora_demo_site>
          $<TARGET_FILE:kelvora_close_window> ${CMAKE_CURRENT_LIST_DIR}
          ${KELVORA_DIRECTORY_HOST})
set_tests_properties(e2e_harvest_then_view PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 240)

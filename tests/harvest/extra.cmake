# The harvest tests serve their fixture sites with the demo site's file server.
target_link_libraries(harvest_tests PRIVATE kelvora_site_files)

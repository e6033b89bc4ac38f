# The window system on the paths the programs take every frame: a preview
# window invalidated, painted and composed, a message sent across threads.
if(TARGET platform)
  add_executable(windows_bench windows_bench.cpp)
  target_link_libraries(windows_bench PRIVATE platform benchmark::benchmark)
endif()

# Drawing on the paths the programs take every frame or every thumbnail:
# the preview's double-buffered paint, stretched thumbnails, text.
if(TARGET platform)
  add_executable(gdi_bench gdi_bench.cpp)
  target_link_libraries(gdi_bench PRIVATE platform benchmark::benchmark)
endif()

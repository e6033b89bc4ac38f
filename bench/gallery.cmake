# The gallery's cold start to its first painted frame, beside the camera's
# own start, in the emulator on the real clock.
if(TARGET handheld_runtime AND TARGET orsagal)
  add_executable(gallery_start_bench gallery_start_bench.cpp)
  target_link_libraries(gallery_start_bench PRIVATE handheld_runtime orsagal benchmark::benchmark)
endif()

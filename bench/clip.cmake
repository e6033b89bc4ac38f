# The clip writer's sustained throughput against real time, and the time the
# clip reader takes to open and index a full-size clip.
if(TARGET camera_recording AND TARGET clip_reader)
  add_executable(avi_bench avi_bench.cpp)
  target_link_libraries(avi_bench PRIVATE camera_recording clip_reader benchmark::benchmark)
endif()

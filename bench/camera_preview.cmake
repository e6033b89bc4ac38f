# The camera's whole preview path in the emulator on the real clock: card,
# bus, driver tick, frame pump, decode and paint.
if(TARGET handheld_runtime AND TARGET camera_session)
  add_executable(camera_preview_bench camera_preview_bench.cpp)
  target_link_libraries(camera_preview_bench PRIVATE handheld_runtime camera_session
                                                     camera_settings benchmark::benchmark)
endif()

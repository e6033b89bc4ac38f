# A picture taken in the emulator on the real clock: shutter press to the
# picture on the volume and the preview running again.
if(TARGET handheld_runtime AND TARGET camera_session)
  add_executable(camera_shutter_bench camera_shutter_bench.cpp)
  target_link_libraries(camera_shutter_bench PRIVATE handheld_runtime camera_session
                                                     camera_settings camera_hardware
                                                     benchmark::benchmark)
endif()

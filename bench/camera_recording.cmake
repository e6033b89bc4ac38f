# A clip recorded in the emulator on the real clock: frames kept against
# frames handed over, sound against picture at the end, the programs' share
# of the processor.
if(TARGET handheld_runtime AND TARGET camera_session AND TARGET camera_recording_testing)
  add_executable(camera_recording_bench camera_recording_bench.cpp)
  target_link_libraries(camera_recording_bench PRIVATE handheld_runtime camera_session
                                                       camera_settings camera_recording_testing
                                                       benchmark::benchmark)
endif()

# The clip plug-in. Thumbnails of a hundred clips through its entry against the
# reference library decoding the same first frames at the same scale.
if(TARGET orsaclip AND TARGET codec_testing AND TARGET camera_recording)
  add_executable(clip_plugin_bench clip_plugin_bench.cpp)
  target_include_directories(clip_plugin_bench PRIVATE ${CMAKE_SOURCE_DIR}/clip/tests
                                                       ${CMAKE_SOURCE_DIR}/camera/recording/testing)
  target_link_libraries(clip_plugin_bench PRIVATE orsaclip camera_recording codec codec_testing
                                                  benchmark::benchmark)
endif()

# Playback of a 25 frames-a-second clip on a real-time handheld: frames on
# time and the processor time spent.
if(TARGET orsaclip AND TARGET codec_testing AND TARGET camera_recording)
  add_executable(clip_playback_bench clip_playback_bench.cpp)
  target_include_directories(clip_playback_bench PRIVATE ${CMAKE_SOURCE_DIR}/clip/tests
                                                         ${CMAKE_SOURCE_DIR}/camera/recording/testing)
  target_link_libraries(clip_playback_bench PRIVATE orsaclip camera_recording codec codec_testing
                                                    benchmark::benchmark)
endif()

# The clip plug-in: thumbnails of a hundred clips through its entry against
# the reference library decoding the same first frames at the same scale
# (clip_plugin_bench), and playback of a 25 frames-a-second clip on a
# real-time handheld, frames on time and processor time spent
# (clip_playback_bench). Both make their clips with the camera's writer.
if(TARGET orsaclip AND TARGET codec_testing AND TARGET camera_recording)
  foreach(bench IN ITEMS clip_plugin_bench clip_playback_bench)
    add_executable(${bench} ${bench}.cpp)
    target_include_directories(${bench} PRIVATE ${CMAKE_SOURCE_DIR}/clip/tests
                                                ${CMAKE_SOURCE_DIR}/camera/recording/testing)
    target_link_libraries(${bench} PRIVATE orsaclip camera_recording codec codec_testing
                                           benchmark::benchmark)
  endforeach()
endif()

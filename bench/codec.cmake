# The codec's decoder against the reference library on the cases the camera
# and the clip player meet.
if(TARGET codec AND TARGET codec_testing)
  add_executable(codec_bench codec_decode_bench.cpp)
  target_link_libraries(codec_bench PRIVATE codec codec_testing benchmark::benchmark)
endif()

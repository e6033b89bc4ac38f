# The imaging library's thumbnails of camera pictures against the JPEG
# library's bare 1/8 decode of the same files.
if(TARGET imaging)
  find_package(JPEG REQUIRED)
  add_executable(imaging_bench imaging_bench.cpp)
  target_link_libraries(imaging_bench PRIVATE imaging JPEG::JPEG benchmark::benchmark)
endif()

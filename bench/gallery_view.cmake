# The zoom view opening a camera still (decode to screen) against the JPEG
# library's full decode of the same file, and one pan step repainted.
if(TARGET orsagal AND TARGET imaging)
  find_package(JPEG REQUIRED)
  add_executable(gallery_view_bench gallery_view_bench.cpp)
  target_include_directories(gallery_view_bench PRIVATE ${PROJECT_SOURCE_DIR}/gallery/app/src)
  target_link_libraries(gallery_view_bench PRIVATE orsagal imaging JPEG::JPEG benchmark::benchmark)
endif()

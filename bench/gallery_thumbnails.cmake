# The thumbnail browser on a folder of 1,000 stills taken by the simulated
# camera card: listing, the first row, every thumbnail against the JPEG
# library's 1/8 decode, the user-interface thread's longest wait and the
# cache's memory.
if(TARGET orsagal AND TARGET card_testing)
  find_package(JPEG REQUIRED)
  add_executable(gallery_thumbnails_bench gallery_thumbnails_bench.cpp)
  target_link_libraries(gallery_thumbnails_bench PRIVATE orsagal imaging card_testing JPEG::JPEG
                        benchmark::benchmark)
  target_include_directories(gallery_thumbnails_bench PRIVATE
    ${CMAKE_SOURCE_DIR}/gallery/app/src
    $<TARGET_PROPERTY:clip_reader,INTERFACE_INCLUDE_DIRECTORIES>)
endif()

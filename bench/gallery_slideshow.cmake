# The slideshow: each transition's drawing time against its own duration,
# and decoding a camera picture ahead, turned to the screen, beside the
# JPEG library's bare decode at the same scale.
if(TARGET orsagal AND TARGET gallery_transitions AND TARGET imaging)
  find_package(JPEG REQUIRED)
  add_executable(gallery_slideshow_bench gallery_slideshow_bench.cpp)
  target_include_directories(gallery_slideshow_bench PRIVATE
                             ${PROJECT_SOURCE_DIR}/gallery/app/src
                             $<TARGET_PROPERTY:clip_reader,INTERFACE_INCLUDE_DIRECTORIES>)
  target_link_libraries(gallery_slideshow_bench PRIVATE orsagal gallery_transitions imaging
                        JPEG::JPEG benchmark::benchmark)
endif()

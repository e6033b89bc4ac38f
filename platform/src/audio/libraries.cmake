# Audio: GSM 6.10 through libgsm; the host's sound devices through SDL2 when
# it is there (the null backend serves tests and headless runs).
find_library(GSM_LIBRARY gsm REQUIRED)
find_path(GSM_INCLUDE_DIR gsm.h PATH_SUFFIXES gsm REQUIRED)
target_include_directories(platform PRIVATE ${GSM_INCLUDE_DIR})
target_link_libraries(platform PRIVATE ${GSM_LIBRARY})

find_package(SDL2 QUIET)
if(SDL2_FOUND)
  target_link_libraries(platform PRIVATE SDL2::SDL2)
  target_compile_definitions(platform PRIVATE ORSA_HOST_AUDIO_SDL2=1)
endif()

# The camera card's own time to make one preview scan (raw capture and
# compression), which must stay well below the preview's frame time.
if(TARGET card AND TARGET card_testing)
  add_executable(card_bench card_bench.cpp)
  target_link_libraries(card_bench PRIVATE card card_testing benchmark::benchmark)
endif()

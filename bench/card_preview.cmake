# The sustained preview rate of orsa-card's session on the real clock:
# three fetches in every four 30 ms ticks, 25 frames per second at most.
if(TARGET orsa_card_session)
  add_executable(card_preview_bench card_preview_bench.cpp)
  target_link_libraries(card_preview_bench PRIVATE orsa_card_session benchmark::benchmark)
endif()

# Drawing: FreeType for text, libpng for screenshots and bitmap resources.
find_package(Freetype REQUIRED)
find_package(PNG REQUIRED)
target_link_libraries(platform PRIVATE Freetype::Freetype PNG::PNG)

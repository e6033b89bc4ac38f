# The window system registers the standard controls' classes in every
# handheld when this folder is part of the build.
target_compile_definitions(platform PRIVATE ORSA_WITH_CONTROLS=1)

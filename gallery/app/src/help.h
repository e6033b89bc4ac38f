// Help: each window of the gallery opens the handheld's help program on
// its own topic.
#pragma once

namespace gallery {

inline constexpr char kHelpOverview[] = "orsagal.htc#OVERVIEW";
inline constexpr char kHelpBrowse[] = "orsagal.htc#BROWSE";
inline constexpr char kHelpView[] = "orsagal.htc#VIEW";
inline constexpr char kHelpGeneral[] = "orsagal.htc#GENERAL";
inline constexpr char kHelpSlideshow[] = "orsagal.htc#SLIDESHOW";
inline constexpr char kHelpAudio[] = "orsagal.htc#AUDIO";

void ShowHelp(const char* topic);

}  // namespace gallery

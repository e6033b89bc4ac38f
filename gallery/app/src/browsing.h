// Where the browser looks: "Directory" and "Path" of the gallery's key, read
// at start, on a second start's hand-over, and written at the end.
#pragma once

#include <string>

namespace gallery {

// Start-up with a path: "Directory" emptied and "Path" set to it.
void RememberStartPath(const std::string& path);

// Browses what "Directory" and "Path" say (each defaults to the documents
// folder followed by "\"): with a Directory its folder is listed and Path
// made current, otherwise the folder of Path is listed.
void BrowseRemembered();

// Browses the folder of "Path" with Path current (a second start's
// hand-over).
void BrowsePath();

// Writes the folder of the file list to "Directory" and the current file
// to "Path".
void SaveBrowsing();

}  // namespace gallery

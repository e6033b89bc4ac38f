// The browser's file list as the other parts see it: the listed files in
// their sorted order, the current entry and the marks. Only on the
// user-interface thread. Indexes are 0-based positions in the list.
#pragma once

#include <string>
#include <vector>

#include "platform/window.h"

namespace gallery {

int EntryCount();
// -1 when the list is empty.
int CurrentIndex();
// Empty for an index outside the list.
std::string EntryPath(int index);
// The current file, or the listed folder when the list is empty.
std::string CurrentPath();
// The position of `path` (case-insensitive), -1 when it is not listed.
int FindEntry(const std::string& path);

bool IsMarked(int index);
// Sets the mark and redraws the cell's mark icon.
void SetMarked(int index, bool marked);
int MarkedCount();
// The marked entries' paths in list order.
std::vector<std::string> MarkedPaths();

// Makes entry `index` current, wrapping at both ends, renders the strip
// around it and calls CurrentFileChanged.
void SetCurrentEntry(platform::HWND browser, int index);

}  // namespace gallery

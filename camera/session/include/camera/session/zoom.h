// The digital zoom: three levels, each a different preview stream.
#pragma once

namespace camera {

// One step in or out: restarts the stream with the new capture type and
// header, sets the zoomed still size, and plays "zoomin" or "zoomout" when
// `recordwithaudio` is on. False, with nothing done, at the limit.
bool ZoomIn();
bool ZoomOut();

}  // namespace camera

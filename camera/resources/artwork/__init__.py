"""Drawing of the camera application's bitmaps and sounds (standard library only)."""

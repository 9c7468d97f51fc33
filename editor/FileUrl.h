// Picked files as they go into markup: their names and their contents.
#pragma once

#include <string>

// A name inside a quoted attribute: a double quote (which a Linux name may
// hold and a Windows one cannot) is written %22, so the markup stays whole.
std::string MarkupFileName(const std::string& name);

// "file://" + the absolute path ("file:///home/u/a.jpg"), for markup.
std::string FileUrl(const std::string& path);

// A name a file dialog gave back is usable when the file it names exists:
// a name Windows-1251 cannot hold comes back with "?" in its place and
// names nothing. Otherwise the user is told and false is returned.
bool PickedFileUsable(const std::string& path);

// The whole file, byte for byte, read straight into the text that goes into
// the document (no second copy of a large file). A file that cannot be read
// whole, or a folder, raises the stream error.
std::string ReadWholeFile(const std::string& path);

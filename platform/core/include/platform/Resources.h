// The program's named resources: bitmaps drawn in code and blobs of bytes,
// registered by the units that own them and looked up by name.
//
// Names are compared without case (ASCII), as resource names are. A later
// registration under a name replaces the earlier one.
#pragma once

#include <functional>
#include <string>

#include "platform/Graphics.h"
#include "platform/SysUtils.h"

// "Resource %s not found" (the name).
BQS_DECLARE_EXCEPTION(EResNotFound, Exception);

// Fills the given (empty) bitmap with the resource's picture.
using TBitmapResourcePainter = std::function<void(TBitmap& bitmap)>;

void RegisterBitmapResource(const std::string& name, TBitmapResourcePainter painter);
// Raw bytes; a bitmap resource may also be given as BMP data this way.
void RegisterResourceData(const std::string& name, std::string bytes);
void UnregisterResource(const std::string& name);

bool BitmapResourceExists(const std::string& name);
bool ResourceDataExists(const std::string& name);
// False when no data is registered under the name.
bool FindResourceData(const std::string& name, std::string& bytes);

// Replaces the bitmap's picture with the named resource: a painter, or BMP
// data registered under the name. Raises EResNotFound when neither exists.
void LoadBitmapResource(TBitmap& bitmap, const std::string& name);

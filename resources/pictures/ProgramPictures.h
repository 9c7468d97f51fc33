// The programs' pictures as named resource data (JPEG bytes): "ABOUTPICTURE"
// (541 x 385) and "ADVERTPICTURE" (809 x 609).
#pragma once

// Registers them; calling it again changes nothing.
void RegisterProgramPictures();

class TPicture;

// Decodes the named picture into `picture` (the widget set's decoder).
// Raises EResNotFound for an unknown name, EInvalidGraphic for data the
// decoder cannot read.
void LoadProgramPicture(TPicture& picture, const char* name);
